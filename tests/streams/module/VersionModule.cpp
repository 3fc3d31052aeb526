// A loadable library with nothing in it but its version record, as a language
// library will be: the tests load it and read the record through its handle.

extern "C" int TerrionVersionModuleMarker()
{
    return 1;
}
