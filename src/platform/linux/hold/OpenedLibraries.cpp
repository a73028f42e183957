#include "OpenedLibraries.h"

OpenedLibraries::OpenedLibraries(const QStringList &names)
{
    for (const QString &name : names) {
        auto library = std::make_unique<QLibrary>(name, 0);
        m_loaded = library->load() && m_loaded;
        m_libraries.push_back(std::move(library));
    }
}

QFunctionPointer OpenedLibraries::resolve(const char *name) const
{
    for (const auto &library : m_libraries) {
        if (QFunctionPointer function = library->resolve(name))
            return function;
    }
    return nullptr;
}
