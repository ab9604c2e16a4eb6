/* Probe for the Windows 95 fitness check: an ordinary program linked with the
   toolchain's stock C runtime, the way the shipped program must not be built. */
#include <stdio.h>

int main(void)
{
    puts("probe");
    return 0;
}
