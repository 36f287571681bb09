#pragma once
// The wildcard matcher behind wild_Match and the directory search. With `extended` the pattern
// understands "*", "+", "?", "#" and "@" (wild_Match); without it only "*" and "?", as the
// platform's directory search does. Other characters match without regard to ASCII letter case.

int wild_MatchCore(const char* text, const char* pattern, bool extended);
