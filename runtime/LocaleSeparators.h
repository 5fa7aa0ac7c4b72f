#pragma once

// The user's decimal and thousands separators. They are process-wide values,
// written only when the regional settings are read (gui/ does that at start-up
// and whenever the platform reports a change); every number conversion reads
// them at its start.
extern char LocaleDecimalSeparator;
extern char LocaleThousandSeparator;

// A separator of '\0' for the thousands means "no grouping".
void SetLocaleSeparators(char decimalSeparator, char thousandSeparator);
