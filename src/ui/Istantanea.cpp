#include "ui/Istantanea.h"

#include <QJsonArray>

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
  for (const auto& [nome, sprite] : g.Sprites()) sprites.insert(nome, DiSprite(*sprite));
  return sprites;
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
  const std::pair<const char*, const VoceMenu*> voci[] = {
      {"mn_file", &g.mn_file},       {"mn_esci", &g.mn_esci},
      {"mn_opzioni", &g.mn_opzioni}, {"mn_immagini", &g.mn_immagini},
      {"mn_attiva", &g.mn_attiva},   {"mn_combinazioni", &g.mn_combinazioni},
      {"mn_help", &g.mn_help},       {"mn_aiuto", &g.mn_aiuto},
      {"mn_about", &g.mn_about}};
  for (const auto& [nome, voce] : voci) menu.insert(QLatin1String(nome), DiVoce(*voce));
  for (size_t i = 0; i < g.mn_comb.size(); ++i)
    menu.insert(QStringLiteral("mn_comb(%1)").arg(i), DiVoce(g.mn_comb[i]));
  return menu;
}

}  // namespace

QJsonObject Istantanea(const Gioco& g, int64_t ora, const std::vector<int>& suoni,
                       const std::vector<BoxMostrato>& box, const QStringList& finestre) {
  QJsonObject etichette;
  for (const auto& [nome, etichetta] : g.Etichette())
    etichette.insert(nome, DiEtichetta(*etichetta));

  QJsonArray suonati;
  for (int n : suoni) suonati.append(n);

  QJsonArray messaggi;
  for (const BoxMostrato& b : box)
    messaggi.append(QJsonObject{{"kind", b.tipo}, {"text", b.testo}, {"icon", NomeIcona(b.icona)}});

  return {{"time", static_cast<qint64>(ora)},
          {"caption", g.Caption},
          {"vars", DiVariabili(g)},
          {"sprites", Sprites(g)},
          {"labels", etichette},
          {"timers", Timers(g)},
          {"menu", Menu(g)},
          {"background", NomePicture(g.Picture)},
          {"sounds", suonati},
          {"messages", messaggi},
          {"windows", QJsonArray::fromStringList(finestre)}};
}
