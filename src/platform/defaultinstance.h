#pragma once
// The old runtime's "default instance" of a window: the one open instance others reach by the
// window's name. A window class derives from DefaultInstance<itself>; T::loaded() gives the open
// instance or null, T::unload() closes and deletes it. Nothing is created by being looked at.
template <class T>
class DefaultInstance {
public:
    static T* loaded() { return s_instance; }
    // Closes the open instance and deletes it once control returns to the event loop, so a
    // window may unload itself, or be unloaded from inside one of its own handlers.
    static void unload() {
        T* w = s_instance;
        if (!w) return;
        s_instance = nullptr;
        s_base = nullptr;
        w->close();
        w->deleteLater();
    }

protected:
    DefaultInstance() {
        s_base = this;
        s_instance = static_cast<T*>(this);
    }
    ~DefaultInstance() {
        if (s_base == this) {
            s_base = nullptr;
            s_instance = nullptr;
        }
    }
    DefaultInstance(const DefaultInstance&) = delete;
    DefaultInstance& operator=(const DefaultInstance&) = delete;

private:
    static inline T* s_instance = nullptr;
    static inline const DefaultInstance* s_base = nullptr;
};
