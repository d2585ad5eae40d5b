#pragma once
// Tells a routine that waits inside a message loop (a modal dialog's, a host
// dialog's) whether its object was deleted meanwhile, by a handler the loop
// dispatched to. The object holds a WLifeAnchor; the waiting routine keeps a
// WLifeWatch on its stack and, once control is back, touches the object only
// while the watch reports it alive. Watches nest in the order the routines
// were entered; all of them belong to the thread that owns the object.

class WLifeWatch;

class WLifeAnchor {
public:
    WLifeAnchor() = default;
    WLifeAnchor(const WLifeAnchor&) = delete;
    WLifeAnchor& operator=(const WLifeAnchor&) = delete;
    ~WLifeAnchor();

private:
    friend class WLifeWatch;
    WLifeWatch* innermost = nullptr;
};

class WLifeWatch {
public:
    explicit WLifeWatch(WLifeAnchor& anchor);
    ~WLifeWatch();
    WLifeWatch(const WLifeWatch&) = delete;
    WLifeWatch& operator=(const WLifeWatch&) = delete;

    bool ObjectAlive() const { return anchor != nullptr; }

private:
    friend class WLifeAnchor;
    WLifeAnchor* anchor;
    WLifeWatch* outer;
};
