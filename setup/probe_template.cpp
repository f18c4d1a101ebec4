#include "setup/probe_template.h"

#include "probe/probe_list.h"
#include "support/buffers.h"
#include "support/console.h"

#include <stdio.h>
#include <string.h>

void write_probe_template()
{
    FILE *file = NULL;
    if (fopen_s(&file, probe_file_path, "w") != 0 || file == NULL) {
        perror("创建文件失败\n原因");
        pause_and_exit(1);
    }
    // The text sits in the runtime's buffer until the close: a full disk shows only
    // there, so the close decides whether the template was written.
    const size_t length = strlen(builtin_probe_list);
    const bool written = fwrite(builtin_probe_list, 1, length, file) == length &&
                         fflush(file) == 0;
    if (fclose(file) != 0 || !written) {
        perror("写入文件失败\n原因");
        pause_and_exit(1);
    }
    printf("创建模板文件成功，请在桌面查看\n");
    pause_and_exit(0);
}
