#include "journal/picture_text.h"

#include "support/leftover_name.h"
#include "support/text.h"

#include <string.h>

bool format_picture_name(char *out, size_t size, const char *stamp, bool joined)
{
    // A file name has no ':'; the time's are dashes there.
    char name_stamp[32];
    if (!format_text(name_stamp, sizeof name_stamp, "%s", stamp))
        return false;
    for (char *c = name_stamp; *c != '\0'; ++c) {
        if (*c == ':')
            *c = '-';
    }
    return format_text(out, size, "%s\\%s %s.png", PICTURE_FOLDER, name_stamp,
                       joined ? PICTURE_JOINED : PICTURE_WAITING);
}

// The length of the picture's name that name begins with, or 0.
static size_t picture_name_length(const char *name)
{
    static const char SHAPE[] = "dddd-dd-dd dd-dd-dd ";
    for (size_t i = 0; i < sizeof SHAPE - 1; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (name[i] == '\0' || (SHAPE[i] == 'd' ? !digit : name[i] != SHAPE[i]))
            return 0;
    }
    static const char *const ENDS[] = {PICTURE_WAITING ".png", PICTURE_JOINED ".png",
                                       PICTURE_WAITING ".bmp", PICTURE_JOINED ".bmp"};
    const char *outcome = name + sizeof SHAPE - 1;
    for (const char *end : ENDS) {
        if (strncmp(outcome, end, strlen(end)) == 0)
            return sizeof SHAPE - 1 + strlen(end);
    }
    return 0;
}

bool is_picture_name(const char *name)
{
    const size_t length = picture_name_length(name);
    return length > 0 && name[length] == '\0';
}

bool is_picture_leftover(const char *name, unsigned long *owner)
{
    *owner = 0;
    const size_t length = picture_name_length(name);
    return length > 0 && name[length] == '.' && leftover_tail(name + length + 1, owner);
}
