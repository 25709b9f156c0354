// Filled as the fileops of the main program are built.
int fyx_fileops_placeholder;
