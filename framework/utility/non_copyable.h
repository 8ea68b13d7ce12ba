// The private base of classes whose objects are never copied: they are known by address or own what they hold.
#pragma once

namespace vesk {

// Taken as a private base by the class itself (the parameter keeps two such bases of one object apart).
template <class Owner>
class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace vesk
