#pragma once

// The application's title: the caption of every error message box, in the
// viewer and in the tools that run its window.
inline constexpr const char* kApplicationTitle = "Kestrila Log viewer by lumo";
