#include "ui/Istantanea.h"

#include <QJsonArray>

#include "game/Campo.h"
#include "model/Gioco.h"

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

template <class Array>
QJsonArray Elenco(const Array& valori, size_t primo, size_t quanti) {
  QJsonArray a;
  for (size_t i = primo; i < primo + quanti; ++i) {
    if constexpr (std::is_same_v<std::decay_t<decltype(valori[i])>, QString>) {
      a.append(valori[i]);
    } else {
      a.append(static_cast<qint64>(valori[i]));
    }
  }
  return a;
}

QJsonObject DiVariabili(const Gioco& g) {
  return {{"Sinistra", g.Sinistra},
          {"Destra", g.Destra},
          {"VersoDestra", g.VersoDestra},
          {"PassiSparo", g.PassiSparo},
          {"Punteggio", static_cast<qint64>(g.Punteggio)},
          {"PassiNavicella", g.PassiNavicella},
          {"Livello", g.Livello},
          {"NemiciRimasti", g.NemiciRimasti},
          {"Vite", g.Vite},
          {"Pausa", g.Pausa},
          {"FormazioneCaricata", g.FormazioneCaricata},
          {"AudioAttivo", g.AudioAttivo},
          {"UsaDefault", g.UsaDefault},
          {"CombinazioneCorrente", g.CombinazioneCorrente},
          {"AutoreCombinazione", g.AutoreCombinazione},
          {"PasswordCombinazione", g.PasswordCombinazione},
          {"FontNome", g.FontNome},
          {"FontDimensione", g.FontDimensione},
          {"FontColore", g.FontColore},
          {"FontGrassetto", g.FontGrassetto},
          {"FontCorsivo", g.FontCorsivo},
          {"Volumi", Elenco(g.Volumi, 0, 16)},
          {"OrigineImmagini", Elenco(g.OrigineImmagini, 0, 14)},
          {"OrigineSuoni", Elenco(g.OrigineSuoni, 0, 16)},
          {"RecordNomi", Elenco(g.RecordNomi, 1, 10)},
          {"RecordPunti", Elenco(g.RecordPunti, 1, 10)},
          {"RecordLivelli", Elenco(g.RecordLivelli, 1, 10)}};
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
