#ifndef KABENCH_FIRSTROWS_H
#define KABENCH_FIRSTROWS_H

// The preview while pictures arrive at the line rate: how soon each picture's first rows show after
// its header, and how often the partial view is renewed.
struct FirstRows
{
    bool ok = false;
    double worstFirstMs = 0;
    double meanFirstMs = 0;
    double viewsPerSecond = 0;
    double longestGapMs = 0;
};

FirstRows measureFirstRows(int pictures);

#endif
