#include <cstdio>

int main()
{
    std::fputs("Vocarin: the window is not built yet.\n", stderr);
    return 1;
}
