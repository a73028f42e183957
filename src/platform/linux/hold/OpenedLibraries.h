#pragma once

#include <QLibrary>
#include <QStringList>

#include <memory>
#include <vector>

// Shared libraries opened at run time, kept open for the life of the program. A function is
// looked up in each in turn.
class OpenedLibraries {
public:
    // Opens each of `names` ("pulse" for libpulse.so.0); loaded() says whether all opened.
    explicit OpenedLibraries(const QStringList &names);

    bool loaded() const { return m_loaded; }
    // The function of that name, in the first library that has it; null where none has.
    template <typename Function> bool find(Function &function, const char *name) const
    {
        function = reinterpret_cast<Function>(resolve(name));
        return function != nullptr;
    }

private:
    QFunctionPointer resolve(const char *name) const;

    std::vector<std::unique_ptr<QLibrary>> m_libraries;
    bool m_loaded = true;
};
