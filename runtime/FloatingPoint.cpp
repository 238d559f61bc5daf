// Referenced by every object that uses floating point; Microsoft's runtime
// uses it to link in its printf floating-point support. msvcrt.dll has that
// built in, so the marker only has to exist.
extern "C" int _fltused = 0x9875;
