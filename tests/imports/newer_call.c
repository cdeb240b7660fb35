/* A program that Windows XP cannot load: it imports GetTickCount64, which
   came with Vista. The import check must say so. */
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main(void)
{
    return (int)(GetTickCount64() & 1);
}
