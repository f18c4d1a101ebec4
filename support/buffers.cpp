#include "support/buffers.h"

char probe_file_path[TEXT_SIZE];
char log_path[TEXT_SIZE];
char probe_text[TEXT_SIZE];
char launch_command[TEXT_SIZE];
