// The font file a combination carries, offered for installation while it is applied.
// (Its label font goes on the labels with GestioneDatiEsterni::ApplicaFont.)
#pragma once

#include <optional>
#include <string>

#include <QStringList>

#include "codec/Vaglio.h"

class Gioco;

namespace GestioneDatiEsterni {

// The combination's font, when it carries one the system lacks: offered for
// installation in the user's font folder, where a file of that name is left alone. A
// font that can't be offered is added to `inutilizzabili` with the reason. The mark of
// the application, `segno`, is off while the player answers.
void ControllaFont(Gioco& g, const std::optional<Vaglio::Rifiuto>& esame, const std::string& segno,
                   QStringList& inutilizzabili);

}  // namespace GestioneDatiEsterni
