// Filled as the panels of the main program are built.
int fyx_panels_placeholder;
