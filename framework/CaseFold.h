// Folds a character to lower case without regard to the C library's locale:
// ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic capitals.
#pragma once

inline unsigned long FoldToLower(unsigned long ch)
{
    if (ch < 0x80) return (ch >= 'A' && ch <= 'Z') ? ch + 0x20 : ch;
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;
    if (ch >= 0x100 && ch <= 0x17F) {
        // Pairs of capital and small letters; the run 0x139..0x148 and 0x179..0x17E starts on odd.
        const bool oddRun = (ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E);
        if (ch == 0x130 || ch == 0x131 || ch == 0x138 || ch == 0x149 || ch == 0x17F) return ch;
        if (ch == 0x178) return 0xFF;
        return (oddRun ? (ch % 2 == 1) : (ch % 2 == 0)) ? ch + 1 : ch;
    }
    if (ch >= 0x391 && ch <= 0x3AB && ch != 0x3A2) return ch + 0x20;
    if (ch >= 0x386 && ch <= 0x38F) {
        switch (ch) {
        case 0x386: return 0x3AC;
        case 0x388: case 0x389: case 0x38A: return ch + 0x25;
        case 0x38C: return 0x3CC;
        case 0x38E: case 0x38F: return ch + 0x3F;
        default: return ch;
        }
    }
    if (ch >= 0x410 && ch <= 0x42F) return ch + 0x20;
    if (ch >= 0x400 && ch <= 0x40F) return ch + 0x50;
    if (ch >= 0x460 && ch <= 0x4FF && ch != 0x482 && !(ch >= 0x483 && ch <= 0x489)) {
        if (ch >= 0x4C1 && ch <= 0x4CE) return (ch % 2 == 1) ? ch + 1 : ch;
        if (ch == 0x4C0) return 0x4CF;
        return (ch % 2 == 0) ? ch + 1 : ch;
    }
    return ch;
}
