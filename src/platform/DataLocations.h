#pragma once

#include <QString>

// Where the program keeps the user's data.
class DataLocations {
public:
    virtual ~DataLocations() = default;

    // The Documents folder the desktop reports.
    virtual QString documentsFolder() const = 0;

    // The folder holding the session history, the task list and the presence log.
    QString dataFolder() const;
    // dataFolder() + "/" + fileName.
    QString dataFile(const QString &fileName) const;
    // Creates the data folder with its parents; answers whether it exists afterwards.
    bool ensureDataFolder() const;
};
