#include "ui/VariabiliCopione.h"

namespace {

using V = Variabili;

// clang-format off
const VariabileCopione Tabella[] = {
    // The game.
    {"Sinistra", &V::Sinistra},
    {"Destra", &V::Destra},
    {"VersoDestra", &V::VersoDestra},
    {"PassiSparo", &V::PassiSparo},
    {"Punteggio", &V::Punteggio},
    {"PassiNavicella", &V::PassiNavicella},
    {"Livello", &V::Livello},
    {"NemiciRimasti", &V::NemiciRimasti},
    {"Vite", &V::Vite},
    {"Pausa", &V::Pausa},
    {"FormazioneCaricata", &V::FormazioneCaricata},
    // The combination in use.
    {"AudioAttivo", &V::AudioAttivo},
    {"UsaDefault", &V::UsaDefault},
    {"CombinazioneCorrente", &V::CombinazioneCorrente},
    {"AutoreCombinazione", &V::AutoreCombinazione},
    {"PasswordCombinazione", &V::PasswordCombinazione},
    {"FontNome", &V::FontNome},
    {"FontDimensione", &V::FontDimensione},
    {"FontColore", &V::FontColore},
    {"FontGrassetto", &V::FontGrassetto},
    {"FontCorsivo", &V::FontCorsivo},
    {.nome = "Volumi", .membro = &V::Volumi, .primo = 0, .quanti = 16, .valore = "a volume"},
    // Where each slot's picture and sound came from: they follow the combination applied.
    {.nome = "OrigineImmagini", .membro = &V::OrigineImmagini, .primo = 0, .quanti = 14,
     .soloLettura = true},
    {.nome = "OrigineSuoni", .membro = &V::OrigineSuoni, .primo = 0, .quanti = 16,
     .soloLettura = true},
    // The high-score table, rows 1..10.
    {.nome = "RecordNomi", .membro = &V::RecordNomi, .primo = 1, .quanti = 10},
    {.nome = "RecordPunti", .membro = &V::RecordPunti, .primo = 1, .quanti = 10},
    {.nome = "RecordLivelli", .membro = &V::RecordLivelli, .primo = 1, .quanti = 10},
};
// clang-format on

}  // namespace

namespace VariabiliCopione {

std::span<const VariabileCopione> Tutte() {
  return Tabella;
}

const VariabileCopione* Trova(const QString& nome) {
  for (const VariabileCopione& v : Tabella) {
    if (nome == QLatin1String(v.nome)) return &v;
  }
  return nullptr;
}

}  // namespace VariabiliCopione
