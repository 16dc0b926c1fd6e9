// Saves what the screen shows into a 24-bit BMP file.
#pragma once

bool SaveScreenToBitmap(const wchar_t* path);
