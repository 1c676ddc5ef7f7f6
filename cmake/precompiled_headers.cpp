// The source the shared precompiled headers are built with (cmake/Korvel.cmake).
int main() { return 0; }
