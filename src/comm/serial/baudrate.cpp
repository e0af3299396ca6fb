#include "comm/serial/baudrate.h"

// termios2 lives in the kernel headers, which clash with glibc's <termios.h>: this file keeps
// them apart from the rest of the component.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

int SetLineSpeed(int fd, int rate) {
    if (rate <= 0)
        return EINVAL;
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = static_cast<speed_t>(rate);
    tio.c_ospeed = static_cast<speed_t>(rate);
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    return 0;
}
