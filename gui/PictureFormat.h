#pragma once

// The picture formats the window's picture can be saved in.
enum class TPictureFormat { Png, Jpeg, Bmp };
