// Version of the portable rarlib core.
const char* rarlib_version() { return "1.0"; }
