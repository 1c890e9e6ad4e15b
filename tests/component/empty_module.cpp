// A module that loads but serves nothing: it exports none of the component entry points.
extern "C" __attribute__((visibility("default"))) int TavrelEmptyModuleMarker() { return 0; }
