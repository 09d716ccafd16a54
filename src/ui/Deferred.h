#pragma once
// A window built when it is first asked for, so that start-up builds only what the
// first frame shows. Reads like the unique_ptr it replaces: get() and -> build it.

#include <functional>
#include <memory>

namespace kestrel {

template <class T>
class Deferred {
public:
    using Make = std::function<std::unique_ptr<T>()>;
    explicit Deferred(Make make) : make_(std::move(make)) {}

    T* get() {
        if (!made_) made_ = make_();
        return made_.get();
    }
    T* operator->() { return get(); }
    // The window if it has been built; null otherwise. Never builds it.
    T* built() const { return made_.get(); }
    void reset() { made_.reset(); }

private:
    Make make_;
    std::unique_ptr<T> made_;
};

}  // namespace kestrel
