#include "game/Campo.h"

#include "game/frm_main.h"
#include "model/Gioco.h"

namespace {

using M = ModelloMain;
using E = Estensione;
using S = Strato;

// clang-format off
const Controllo Tabella[] = {
    // Sprites.
    {.nome = "img_giocatore", .membro = &M::img_giocatore, .strato = S::Cannone},
    {.nome = "img_proiettilegiocatore", .membro = &M::img_proiettilegiocatore,
     .strato = S::Proiettili},
    {.nome = "img_proiettilenemico", .estensione = E::Fisso, .membro = &M::img_proiettilenemico,
     .strato = S::Proiettili},
    {.nome = "img_navicellabonus", .membro = &M::img_navicellabonus, .strato = S::Navicella},
    // The alien rows, bottom first.
    {.nome = "img_primafila", .estensione = E::Caricato, .membro = &M::img_primafila,
     .strato = S::Alieni},
    {.nome = "img_secondafila", .estensione = E::Caricato, .membro = &M::img_secondafila,
     .strato = S::Alieni},
    {.nome = "img_terzafila", .estensione = E::Caricato, .membro = &M::img_terzafila,
     .strato = S::Alieni},
    {.nome = "img_quartafila", .estensione = E::Caricato, .membro = &M::img_quartafila,
     .strato = S::Alieni},
    {.nome = "img_quintafila", .estensione = E::Caricato, .membro = &M::img_quintafila,
     .strato = S::Alieni},
    {.nome = "img_muro", .estensione = E::Fisso, .membro = &M::img_muro, .strato = S::Muri},
    {.nome = "img_viterimaste", .estensione = E::Fisso, .membro = &M::img_viterimaste,
     .strato = S::Cannone},
    {.nome = "img_gameover", .membro = &M::img_gameover, .strato = S::Cartelli,
     .click = &frm_main::img_gameover_Click},
    {.nome = "img_nextlevel", .membro = &M::img_nextlevel, .strato = S::Cartelli,
     .click = &frm_main::img_nextlevel_Click},
    {.nome = "img_pausa", .membro = &M::img_pausa, .strato = S::Cartelli,
     .click = &frm_main::img_pausa_Click},
    {.nome = "img_default", .estensione = E::Fisso, .membro = &M::img_default},

    // Labels: the heading line, the high-score table, the notices.
    {.nome = "Label1", .membro = &M::Label1, .strato = S::Scritte},
    {.nome = "lbl_punteggio", .membro = &M::lbl_punteggio, .strato = S::Scritte},
    {.nome = "Label2", .membro = &M::Label2, .strato = S::Scritte},
    {.nome = "lbl_level", .membro = &M::lbl_level, .strato = S::Scritte},
    {.nome = "Label3", .membro = &M::Label3, .strato = S::Scritte},
    {.nome = "lbl_nomer", .membro = &M::lbl_nomer, .strato = S::Scritte},
    {.nome = "lbl_record", .membro = &M::lbl_record, .strato = S::Scritte},
    {.nome = "lbl_hiscore", .membro = &M::lbl_hiscore, .strato = S::Scritte},
    {.nome = "lbl_namer", .estensione = E::Fisso, .membro = &M::lbl_namer, .strato = S::Record},
    {.nome = "lbl_puntir", .estensione = E::Fisso, .membro = &M::lbl_puntir, .strato = S::Record},
    {.nome = "lbl_livellor", .estensione = E::Fisso, .membro = &M::lbl_livellor,
     .strato = S::Record},
    {.nome = "lbl_puntinavicella", .membro = &M::lbl_puntinavicella, .strato = S::Avvisi},
    {.nome = "lbl_default", .membro = &M::lbl_default, .strato = S::Avvisi},
    {.nome = "lbl_sitelink", .membro = &M::lbl_sitelink, .strato = S::Avvisi},

    // The menu bar and its items, each menu before the items that drop from it.
    {.nome = "mn_file", .membro = &M::mn_file},
    {.nome = "mn_esci", .membro = &M::mn_esci, .click = &frm_main::mn_esci_Click,
     .menu = &M::mn_file},
    {.nome = "mn_opzioni", .membro = &M::mn_opzioni},
    {.nome = "mn_immagini", .membro = &M::mn_immagini, .click = &frm_main::mn_immagini_Click,
     .menu = &M::mn_opzioni},
    {.nome = "mn_attiva", .membro = &M::mn_attiva, .click = &frm_main::mn_attiva_Click,
     .menu = &M::mn_opzioni, .spunta = true},
    {.nome = "mn_combinazioni", .membro = &M::mn_combinazioni},
    {.nome = "mn_comb", .estensione = E::Caricato, .membro = &M::mn_comb,
     .clickIndice = &frm_main::mn_comb_Click, .menu = &M::mn_combinazioni, .spunta = true},
    {.nome = "mn_help", .membro = &M::mn_help},
    {.nome = "mn_aiuto", .membro = &M::mn_aiuto, .click = &frm_main::mn_aiuto_Click,
     .menu = &M::mn_help},
    {.nome = "mn_about", .membro = &M::mn_about, .click = &frm_main::mn_about_Click,
     .menu = &M::mn_help},
};
// clang-format on

}  // namespace

namespace Campo {

std::span<const Controllo> Controlli() {
  return Tabella;
}

const Controllo* Trova(const QString& nome) {
  for (const Controllo& c : Tabella) {
    if (nome == QLatin1String(c.nome)) return &c;
  }
  return nullptr;
}

QString NomeElemento(const Controllo& c, int indice) {
  return indice < 0 ? QString::fromLatin1(c.nome)
                    : QStringLiteral("%1(%2)").arg(QLatin1String(c.nome)).arg(indice);
}

}  // namespace Campo
