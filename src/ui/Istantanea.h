// The headless runner's snapshot: the whole visible state of the game as one JSON
// object (the keys and their meaning are fixed; new keys may be added).
#pragma once

#include <cstdint>
#include <vector>

#include <QJsonObject>
#include <QStringList>

#include "seams/DialoghiCopione.h"

class Gioco;

QJsonObject Istantanea(const Gioco& g, int64_t ora, const std::vector<int>& suoni,
                       const std::vector<BoxMostrato>& box, const QStringList& finestre);
