// A module without DllMain.
extern "C" int Plain_Module_Value() { return 7; }
