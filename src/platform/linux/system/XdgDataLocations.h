#pragma once

#include "platform/DataLocations.h"

// The Documents folder from the XDG user directories ($HOME/Documents when unset).
class XdgDataLocations final : public DataLocations {
public:
    QString documentsFolder() const override;
};
