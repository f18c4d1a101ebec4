// A probe file's bytes for the loading tests, read one at a time as the loader reads them.
#ifndef QUORVANE_TESTS_UNIT_BYTE_SOURCE_H
#define QUORVANE_TESTS_UNIT_BYTE_SOURCE_H

#include <string>

struct byte_source {
    std::string bytes;
    size_t at;
};

inline int next_byte(void *s)
{
    byte_source *src = static_cast<byte_source *>(s);
    if (src->at >= src->bytes.size())
        return -1;
    return (unsigned char)src->bytes[src->at++];
}

inline void restart(void *s)
{
    static_cast<byte_source *>(s)->at = 0;
}

#endif
