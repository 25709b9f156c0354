// Version of the portable ziplib core.
const char* ziplib_version() { return "1.0"; }
