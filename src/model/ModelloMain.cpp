#include "model/ModelloMain.h"

#include "codec/Progetto.h"

namespace {

Sprite Crea(float left, float top, float width, float height, int immagine, bool visibile = false) {
  return {left, top, width, height, visibile, Immagine::Incorporata(immagine)};
}

// Element 0 of an alien row; elements 1..10 are loaded when a formation is built.
ArraySprite Fila(float left, float top, int immagine) {
  return ArraySprite({Crea(left, top, 615, 615, immagine)});
}

// Four walls of twelve bricks, numbered wall by wall; within a row left to right,
// except the top row of the third wall, which runs right to left.
ArraySprite Muri() {
  std::vector<Sprite> mattoni;
  for (int muro = 0; muro < 4; ++muro) {
    const float x0 = 1440 + 2640.0f * muro;
    for (int fila = 0; fila < 4; ++fila) {
      const float top = 6360 + 240.0f * fila;
      const float spostamento = fila % 2 == 1 ? 120 : 0;
      for (int k = 0; k < 3; ++k) {
        const int colonna = (muro == 2 && fila == 0) ? 2 - k : k;
        mattoni.push_back(
            Crea(x0 + spostamento + 360.0f * colonna, top, 345, 225, ImmaginiDefault::Mattoncino));
      }
    }
  }
  return ArraySprite(std::move(mattoni));
}

Etichetta Testo(const char* caption, float left, float top, float width, float height,
                Allineamento allineamento, bool visibile = true) {
  Etichetta e;
  e.Caption = QString::fromUtf8(caption);
  e.Visible = visibile;
  e.Left = left;
  e.Top = top;
  e.Width = width;
  e.Height = height;
  e.Alignment = allineamento;
  e.Font = {QStringLiteral("Terminal"), 13.5, true, false};
  e.ForeColor = VerdeEtichette;
  return e;
}

VoceMenu Voce(const char* caption) {
  return {QString::fromUtf8(caption), false, true, true};
}

}  // namespace

ModelloMain::ModelloMain()
    : img_giocatore(Crea(5520, 7440, 855, 495, ImmaginiDefault::Giocatore)),
      img_proiettilegiocatore(Crea(0, 0, 135, 375, ImmaginiDefault::ProiettileGiocatore)),
      img_proiettilenemico({Crea(11160, 120, 135, 255, ImmaginiDefault::ProiettileNemico),
                            Crea(11400, 120, 135, 255, ImmaginiDefault::ProiettileNemico),
                            Crea(11640, 120, 135, 255, ImmaginiDefault::ProiettileNemico)}),
      img_navicellabonus(Crea(5040, 600, 1800, 1200, ImmaginiDefault::NavicellaBonus)),
      img_primafila(Fila(120, 1920, ImmaginiDefault::PrimaFila)),
      img_secondafila(Fila(840, 4320, ImmaginiDefault::SecondaFila)),
      img_terzafila(Fila(1080, 2400, ImmaginiDefault::TerzaFila)),
      img_quartafila(Fila(720, 3720, ImmaginiDefault::QuartaFila)),
      img_quintafila(Fila(480, 3120, ImmaginiDefault::QuintaFila)),
      img_muro(Muri()),
      img_viterimaste({Crea(120, 7920, 375, 255, ImmaginiDefault::Giocatore),
                       Crea(600, 7920, 375, 255, ImmaginiDefault::Giocatore),
                       Crea(1080, 7920, 375, 255, ImmaginiDefault::Giocatore)}),
      img_gameover(Crea(3000, 600, 6000, 3000, ImmaginiDefault::GameOver, true)),
      img_nextlevel(Crea(3000, 2040, 6000, 3000, ImmaginiDefault::NextLevel)),
      img_pausa(Crea(3000, 2520, 6000, 3000, ImmaginiDefault::Pausa)),
      Label1(Testo("POINT", 360, 120, 840, 270, Allineamento::Sinistra)),
      lbl_punteggio(Testo("0", 2955, 120, 180, 270, Allineamento::Destra)),
      Label2(Testo("LEVEL", 3600, 120, 840, 270, Allineamento::Sinistra)),
      lbl_level(Testo("0", 4800, 120, 180, 270, Allineamento::Destra)),
      Label3(Testo("HI-SCORE", 5280, 120, 1335, 270, Allineamento::Centro)),
      lbl_nomer(Testo("", 9045, 120, 180, 270, Allineamento::Destra)),
      lbl_record(Testo("", 9360, 120, 180, 270, Allineamento::Sinistra)),
      lbl_hiscore(Testo("HI-SCORE", 5265, 3720, 1365, 270, Allineamento::Centro)),
      lbl_puntinavicella(Testo("100", 5040, 960, 1815, 615, Allineamento::Centro, false)),
      lbl_default(Testo("NAME", 10920, 7560, 705, 270, Allineamento::Sinistra, false)),
      lbl_sitelink(Testo(SitoProgetto, 9000, 7920, 2895, 375, Allineamento::Destra)),
      mn_file(Voce("File")),
      mn_esci(Voce("Esci")),
      mn_opzioni(Voce("Opzioni")),
      mn_immagini(Voce("Edita Combinazioni")),
      mn_attiva(Voce("Attiva Audio")),
      mn_combinazioni(Voce("Combinazioni")),
      mn_comb({Voce("Default")}),
      mn_help(Voce("?")),
      mn_aiuto(Voce("Aiuto")),
      mn_about(Voce("Informazioni")) {
  std::vector<Sprite> predefinite;
  for (int n = 0; n < ImmaginiDefault::Numero; ++n)
    predefinite.push_back(Crea(12000, 120 + 615.0f * n, 615, 615, n));
  img_default = ArraySprite(std::move(predefinite));

  lbl_sitelink.Font = {QStringLiteral("MS Sans Serif"), 12, true, false};
  lbl_sitelink.ForeColor = GrigioSitelink;

  // The high-score table: a heading row, then ten rows 360 twips apart.
  for (int i = 0; i <= 10; ++i) {
    const float top = 4080 + 360.0f * i;
    if (i == 0) {
      lbl_namer[0] = Testo("NOME", 4140, top, 705, 270, Allineamento::Centro);
      lbl_puntir[0] = Testo("PUNTI", 5760, top, 840, 270, Allineamento::Destra);
      lbl_livellor[0] = Testo("LIVELLO", 7440, top, 1170, 270, Allineamento::Destra);
    } else {
      lbl_namer[i] = Testo("NAME", 3360, top, i == 5 ? 825 : 2025, 270, Allineamento::Sinistra);
      lbl_puntir[i] = Testo("0", 7080, top, 180, 270, Allineamento::Destra);
      lbl_livellor[i] = Testo("0", 7920, top, 180, 270, Allineamento::Destra);
    }
  }
}

std::array<ArraySprite*, 5> ModelloMain::RigheDalBasso() {
  return {&img_primafila, &img_secondafila, &img_terzafila, &img_quartafila, &img_quintafila};
}

std::array<const ArraySprite*, 5> ModelloMain::RigheDalBasso() const {
  return {&img_primafila, &img_secondafila, &img_terzafila, &img_quartafila, &img_quintafila};
}

std::array<Timer*, 6> ModelloMain::Timers() {
  return {&tmr_sposta,    &tmr_proiettile,        &tmr_proiettilenemico,
          &tmr_rinascita, &tmr_spostamentonemici, &tmr_puntibonus};
}

std::array<const Timer*, 6> ModelloMain::Timers() const {
  return {&tmr_sposta,    &tmr_proiettile,        &tmr_proiettilenemico,
          &tmr_rinascita, &tmr_spostamentonemici, &tmr_puntibonus};
}
