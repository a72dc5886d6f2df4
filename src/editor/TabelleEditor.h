// The editor window's fixed tables: every control, where it sits (in twips, inside
// its frame) and how it looks, each image slot's controls and the picture size
// recommended for it, and the sound rows' columns.
#pragma once

#include "codec/Combinazione.h"
#include "model/ModelloMain.h"

#include <QRect>
#include <QString>

#include <array>

namespace TabelleEditor {

// A rectangle given in twips, in logical pixels.
constexpr QRect Twips(int left, int top, int width, int height) {
  return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}
constexpr QRect Twips(QRect twips) {
  return Twips(twips.left(), twips.top(), twips.width(), twips.height());
}

inline constexpr QSize AreaCliente = Twips(0, 0, 10425, 8610).size();

struct RigaImmagine {
  const char* pulsante;    // the picker button, captioned with the slot's name
  const char* casella;     // the path box
  const char* anteprima;   // the preview
  int top;                 // of the button, the "Def" button and the path box
  bool destra;             // in the right-hand column
  int larghezza, altezza;  // the recommended picture size in pixels (the hover hint)
};

// By image slot 0..13. The right-hand column holds PAUSA, NEXT LEVEL, GAME OVER,
// SFONDO from the top down, so slots 11 and 12 swap places there.
inline constexpr std::array<RigaImmagine, NumeroImmagini> TabellaImmagini = {{
    {"CB_ali1", "txt_alieno1", "img_primafila_0", 600, false, 150, 150},
    {"CB_ali2", "txt_alieno2", "img_secondafila_0", 960, false, 150, 150},
    {"CB_ali3", "txt_alieno3", "img_terzafila_0", 1320, false, 150, 150},
    {"CB_ali4", "txt_alieno4", "img_quartafila_0", 1680, false, 150, 150},
    {"CB_ali5", "txt_alieno5", "img_quintafila_0", 2040, false, 150, 150},
    {"Cb_proiettileA", "txt_proiettile", "img_proiettilegiocatore", 2400, false, 54, 150},
    {"cb_proiettileN", "txt_proiettileN", "img_proiettilenemico_0", 2760, false, 54, 90},
    {"cb_navBonus", "txt_navbonus", "img_navicellabonus", 3120, false, 300, 200},
    {"cb_naveamica", "txt_naveamica", "img_giocatore", 3480, false, 515, 300},
    {"Cb_mattoncino", "txt_mattoncino", "img_muro_0", 3840, false, 138, 90},
    {"Cb_Pausa", "txt_pausa", "img_pausa", 2400, true, 600, 300},
    {"Cb_go", "txt_go", "img_gameover", 3120, true, 600, 300},
    {"Cb_NextLevel", "txt_nextlevel", "img_nextlevel", 2760, true, 600, 300},
    {"Cb_sfondo", "txt_sfondo", "img_sfondo", 3480, true, 800, 600},
}};

inline constexpr int SlotSfondo = static_cast<int>(::SlotImmagine::Sfondo);

// The picture rows' columns: the picker, "Def" and the path box.
struct ColonnaImmagini {
  int pulsante, def, casella;
};
inline constexpr ColonnaImmagini ColonneImmagini[2] = {{120, 1320, 1800}, {5280, 6480, 6960}};
inline constexpr int LarghezzaPulsante = 1215, LarghezzaDef = 495, LarghezzaCasella = 3375;
inline constexpr int AltezzaRiga = 375;

// Where the previews fit inside "ANTEPRIMA".
inline constexpr QRect InternoAnteprime = Twips(120, 240, 4215, 1335);

// A sound row gives its slider about a pixel a unit, so a drag reaches every volume;
// the file box is narrower for it. Rows 0..7 on the left, 8..15 on the right.
struct ColonnaSuoni {
  int apri, audio, play, volume, testoVolume;
};
inline constexpr ColonnaSuoni ColonneSuoni[2] = {{120, 1560, 2805, 3045, 4800},
                                                 {5280, 6720, 7965, 8205, 9960}};
inline constexpr int LarghezzaApri = 1455, LarghezzaAudio = 1260, LarghezzaPlay = 255,
                     LarghezzaVolume = 1770, LarghezzaTestoVolume = 375;
inline constexpr int RigheColonna = 8, TopSuoni = 4800, PassoSuoni = 360;
// Over each column: the names of the button, file and volume columns.
inline constexpr int TopIntestazioni = 4440, AltezzaIntestazioni = 255;
inline constexpr std::array<std::array<const char*, 3>, 2> Intestazioni = {{
    {"lbl_audio", "Label1", "Label3"},
    {"Label4", "Label5", "Label6"},
}};
inline constexpr std::array<const char*, 3> TitoliIntestazioni = {"AUDIO", "FILE", "VOLUME"};

// The fonts of the window's controls.
struct Font {
  const char* nome;
  double punti;
  bool grassetto = false;
};
inline constexpr Font Normale{"MS Sans Serif", 8.25};
inline constexpr Font Caselle{"Times New Roman", 12};
inline constexpr Font Avviso{"MS Sans Serif", 9.75, true};
inline constexpr Font Intestazione{"Tahoma", 11.25};

enum class Tipo {
  Scritta,       // a label
  ScrittaRossa,  // a label in red
  Pulsante,      // a button (always in the window's own font)
  Casella,       // a read-only text box
  Spunta,        // a check box
  Cornice,       // a frame with its title
  Linea,         // a horizontal rule
  Riquadro,      // a rectangle's outline
  // The controls made by slot from the tables above, at their place in the order.
  RigheImmagini,
  Anteprime,
  RigheSuoni,
};

inline constexpr Qt::Alignment AllaSinistra = Qt::AlignLeft | Qt::AlignTop;
inline constexpr Qt::Alignment AlCentro = Qt::AlignHCenter | Qt::AlignTop;

inline constexpr Font Titolo{"MS Sans Serif", 18, true};
inline constexpr Font TitoloAnteprima{"MS Sans Serif", 8.25, true};
inline constexpr Font TitoloFont{"MS Sans Serif", 12, true};
inline constexpr Font Protezione{"Impact", 8.25};
inline constexpr Font FontDaCaricare{"MS Sans Serif", 13.5};

struct Controllo {
  Tipo tipo;
  const char* nome = "";
  const char* testo = "";        // the caption, title or text, in UTF-8
  QRect twips{};                 // left, top, width, height inside its frame
  const char* dentro = nullptr;  // the frame it lies in; none for the window
  Font font = Normale;
  Qt::Alignment allineamento = AllaSinistra;
  bool nascosto = false;  // until the model shows it
  const char* suggerimento = nullptr;
};

// The frames that hold other controls.
inline constexpr char CorniceAnteprime[] = "Frame1", Barra[] = "Frame2", Pannello[] = "fra_font";

// Every control in the order it is made: a later one lies over an earlier one, and
// the focus goes from one to the next in this order.
// clang-format off
inline constexpr Controllo Controlli[] = {
    {Tipo::Scritta, "lbl_combinazione", "", {0, 0, 10215, 495}, nullptr, Titolo, AlCentro},
    {Tipo::RigheImmagini},
    {Tipo::Cornice, CorniceAnteprime, "ANTEPRIMA", {5640, 480, 4455, 1695}, nullptr,
     TitoloAnteprima},
    {Tipo::Anteprime, "", "", {}, CorniceAnteprime},
    {Tipo::Scritta, "Label2", "Dimensioni immagine", {5640, 2160, 2295, 255}, nullptr, Avviso},
    {Tipo::Scritta, "lbl_dimensioni", "", {8040, 2160, 2055, 255}, nullptr, Avviso},
    {Tipo::Pulsante, "Cb_visualfont", "FONT", {5280, 3840, 1215, 375}},
    {Tipo::ScrittaRossa, "lbl_pass", "La combinazione è protetta da password, l'unica "
     "operazione consentita è il controllo volume", {0, 4200, 10455, 255}, nullptr, Avviso,
     AlCentro, true},
    {Tipo::Linea, "Line1", "", {120, 4440, 10200, 30}},
    {Tipo::RigheSuoni},
    // The command bar.
    {Tipo::Cornice, Barra, "", {120, 7800, 10215, 735}},
    {Tipo::Pulsante, "CB_crea", "Crea", {120, 240, 855, 375}, Barra},
    {Tipo::Pulsante, "cb_salva", "Salva e applica", {960, 240, 1695, 375}, Barra},
    {Tipo::Spunta, "chk_password", "Proteggi con password", {2760, 240, 2175, 375}, Barra,
     Protezione},
    {Tipo::Pulsante, "Cb_elimina", "Elimina", {5040, 240, 855, 375}, Barra},
    {Tipo::Pulsante, "Cb_InserisciPass", "Ins. Password", {5880, 240, 1335, 375}, Barra, Normale,
     AllaSinistra, true},
    {Tipo::Pulsante, "Cb_default", "TUTTO A DEFAULT", {7200, 240, 2055, 375}, Barra},
    {Tipo::Pulsante, "cb_esci", "Esci", {9240, 240, 855, 375}, Barra},
    // The font panel, over the right-hand sound column while open, so after the rows.
    {Tipo::Cornice, Pannello, "FONT", {5280, 3840, 5055, 3855}, nullptr, TitoloFont, AllaSinistra,
     true},
    {Tipo::Riquadro, "Shape1", "", {0, 1080, 5055, 1935}, Pannello},
    {Tipo::Pulsante, "Cb_font", "Da Font", {120, 480, 1215, 375}, Pannello},
    {Tipo::Pulsante, "cb_color", "Colore", {1320, 480, 1215, 375}, Pannello},
    {Tipo::Scritta, "lbl_anteprimafont", "Aa Bb  0 1  ", {2520, 480, 2295, 375}, Pannello, Normale,
     Qt::AlignHCenter | Qt::AlignVCenter},
    {Tipo::Scritta, "Label7", " Usa questa funzione se pensi di utilizzare una font non standard",
     {120, 1200, 4695, 375}, Pannello},
    {Tipo::Pulsante, "Cb_fontFile", "Da File", {120, 1560, 1215, 375}, Pannello, Normale,
     AllaSinistra, false, "Cerca e installa una font, questa verrà caricata nella tua "
     "combinazione. Usa questa funzione se pensi di utilizzare una font non standard"},
    {Tipo::Casella, "txt_font", "", {1320, 1560, 3495, 375}, Pannello},
    {Tipo::Scritta, "Label8", "Il seguente font verrà o è già caricato nella combinazione",
     {120, 2040, 4815, 255}, Pannello},
    {Tipo::Scritta, "lbl_fontdacaricare", FontFileNessuno, {120, 2400, 3135, 495}, Pannello,
     FontDaCaricare, AlCentro},
    {Tipo::Pulsante, "Cb_cancellafont", "Cancella", {3600, 2400, 1335, 495}, Pannello},
    {Tipo::Pulsante, "cb_chiudifont", "CHIUDI PANNELLO FONT", {120, 3360, 4815, 375}, Pannello},
};
// clang-format on

}  // namespace TabelleEditor
