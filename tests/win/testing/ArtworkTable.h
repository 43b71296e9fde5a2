// Every embedded PNG by id range: its pixel size and whether it carries an
// alpha channel (RGBA) or not (RGB). The resource and the loading tests both
// read their expectations from here.
#pragma once

struct ArtworkRow
{
    unsigned first;
    unsigned last;
    unsigned width;
    unsigned height;
    bool alpha;
};

inline constexpr ArtworkRow kArtworkTable[] = {
    {138, 138, 410, 611, true}, {139, 139, 400, 600, false}, {140, 140, 48, 16, true},
    {141, 144, 26, 34, false},  {145, 145, 232, 132, true},  {146, 146, 204, 104, true},
    {147, 150, 26, 34, false},  {151, 151, 330, 150, true},  {152, 152, 320, 140, false},
    {153, 155, 55, 24, false},  {156, 158, 12, 12, false},   {159, 161, 55, 24, false},
    {162, 164, 55, 24, false},  {165, 167, 55, 24, false},   {168, 168, 410, 479, true},
    {169, 169, 400, 468, true}, {170, 173, 12, 12, false},   {174, 177, 284, 85, true},
    {179, 182, 266, 60, true},  {184, 187, 266, 60, true},   {188, 191, 266, 60, true},
    {192, 195, 58, 18, false},
};

// The ids the table covers; 178 and 183 are gaps.
inline constexpr unsigned kArtworkImageCount = 56;
