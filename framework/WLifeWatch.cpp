#include "WLifeWatch.h"

WLifeAnchor::~WLifeAnchor()
{
    for (WLifeWatch* watch = innermost; watch; watch = watch->outer)
        watch->anchor = nullptr;
}

// The anchor keeps the watch's address only while the watch lives: the
// watch takes it off again when it ends, unless the anchor ended first.
WLifeWatch::WLifeWatch(WLifeAnchor& watched) : anchor(&watched), outer(watched.innermost)
{
    watched.innermost = this;
}

WLifeWatch::~WLifeWatch()
{
    if (anchor)
        anchor->innermost = outer;
}
