#ifndef VORLAN_FACADE_MODULE_H
#define VORLAN_FACADE_MODULE_H

// The module's load and unload notifications: the instance of Vorlan lives
// from attach to detach.
class Module {
public:
    static void attach();
    static void detach();
};

#endif
