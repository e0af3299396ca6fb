#pragma once
// Line speed of a serial descriptor. Rates without a Bxxx constant (14400, 56000) are set as
// an exact rate through termios2 (BOTHER); real adapters (FTDI, CP210x, CDC-ACM) accept them.

// 0 on success, otherwise an errno value.
int SetLineSpeed(int fd, int rate);
