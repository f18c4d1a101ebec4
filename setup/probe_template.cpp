#include "setup/probe_template.h"

#include "app/buffers.h"
#include "app/console.h"
#include "probe/probe_list.h"

#include <stdio.h>
#include <string.h>

void write_probe_template()
{
    FILE *file = NULL;
    if (fopen_s(&file, probe_file_path, "w") != 0 || file == NULL) {
        perror("创建文件失败\n原因");
        pause_and_exit(1);
    }
    const size_t length = strlen(builtin_probe_list);
    if (fwrite(builtin_probe_list, 1, length, file) < length) {
        perror("写入文件失败\n原因");
        fclose(file);
        pause_and_exit(1);
    }
    fclose(file);
    printf("创建模板文件成功，请在桌面查看\n");
    pause_and_exit(0);
}
