/* A library linked without symbols: the code of its frames has no debug information. */
__declspec(dllexport) int CallThrough(void (*procedure)(void))
{
    volatile int before = 1;
    procedure();
    return before + 1;
}
