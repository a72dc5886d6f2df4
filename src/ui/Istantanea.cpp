#include "ui/Istantanea.h"

#include <QJsonArray>

#include "game/Campo.h"
#include "model/Gioco.h"
#include "ui/VariabiliCopione.h"

namespace {

QString NomePicture(const Immagine& immagine) {
  return immagine.Vuota() ? QStringLiteral("none") : immagine.Nome;
}

QJsonObject DiSprite(const Sprite& s) {
  return {{"Left", s.Left},     {"Top", s.Top},         {"Width", s.Width},
          {"Height", s.Height}, {"Visible", s.Visible}, {"Picture", NomePicture(s.Picture)}};
}

QJsonObject DiEtichetta(const Etichetta& e) {
  const QJsonObject font{{"Name", e.Font.Name},
                         {"Size", e.Font.Size},
                         {"Bold", e.Font.Bold},
                         {"Italic", e.Font.Italic},
                         {"Color", static_cast<qint64>(e.ForeColor)}};
  return {{"Caption", e.Caption}, {"Visible", e.Visible}, {"Left", e.Left}, {"Top", e.Top},
          {"Width", e.Width},     {"Height", e.Height},   {"Font", font}};
}

QJsonObject DiVoce(const VoceMenu& v) {
  return {{"Caption", v.Caption}, {"Checked", v.Checked}, {"Enabled", v.Enabled}};
}

// A variable's value; every integer as a 64-bit one.
template <class T>
QJsonValue Json(const T& valore) {
  if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, QString>) {
    return valore;
  } else {
    return static_cast<qint64>(valore);
  }
}

// A variable of the runner's table; an array as the list of the elements it shows.
QJsonValue DiVariabile(const Gioco& g, const VariabileCopione& v) {
  return std::visit(
      [&](auto membro) -> QJsonValue {
        const auto& valore = g.*membro;
        if constexpr (VariabiliCopione::EArray<std::decay_t<decltype(valore)>>) {
          QJsonArray elementi;
          for (size_t i = v.primo; i < v.primo + v.quanti; ++i) elementi.append(Json(valore[i]));
          return elementi;
        } else {
          return Json(valore);
        }
      },
      v.membro);
}

QJsonObject DiVariabili(const Gioco& g) {
  QJsonObject variabili;
  for (const VariabileCopione& v : VariabiliCopione::Tutte())
    variabili.insert(QLatin1String(v.nome), DiVariabile(g, v));
  return variabili;
}

QJsonObject Sprites(const Gioco& g) {
  QJsonObject sprites;
  Campo::PerOgniSprite(g, [&](const Controllo& c, int i, const Sprite& s) {
    sprites.insert(Campo::NomeElemento(c, i), DiSprite(s));
  });
  return sprites;
}

QJsonObject Etichette(const Gioco& g) {
  QJsonObject etichette;
  Campo::PerOgniEtichetta(g, [&](const Controllo& c, int i, const Etichetta& e) {
    etichette.insert(Campo::NomeElemento(c, i), DiEtichetta(e));
  });
  return etichette;
}

QJsonObject Timers(const Gioco& g) {
  QJsonObject timers;
  for (const Timer* t : g.Timers()) {
    timers.insert(t->Nome(), QJsonObject{{"Interval", t->Interval()}, {"Enabled", t->Enabled()}});
  }
  return timers;
}

QJsonObject Menu(const Gioco& g) {
  QJsonObject menu;
  Campo::PerOgniVoce(g, [&](const Controllo& c, int i, const VoceMenu& v) {
    menu.insert(Campo::NomeElemento(c, i), DiVoce(v));
  });
  return menu;
}

}  // namespace

QJsonObject Istantanea(const Gioco& g, int64_t ora, const std::vector<int>& suoni,
                       const std::vector<BoxMostrato>& box, const QStringList& finestre) {
  QJsonArray suonati;
  for (int n : suoni) suonati.append(n);

  QJsonArray messaggi;
  for (const BoxMostrato& b : box)
    messaggi.append(QJsonObject{{"kind", b.tipo}, {"text", b.testo}, {"icon", NomeIcona(b.icona)}});

  return {{"time", static_cast<qint64>(ora)},
          {"caption", g.Caption},
          {"vars", DiVariabili(g)},
          {"sprites", Sprites(g)},
          {"labels", Etichette(g)},
          {"timers", Timers(g)},
          {"menu", Menu(g)},
          {"background", NomePicture(g.Picture)},
          {"sounds", suonati},
          {"messages", messaggi},
          {"windows", QJsonArray::fromStringList(finestre)}};
}
