// Applying the remembered combination to the game: its pictures on the sprites,
// its sounds in the slots, its volumes, author, password and label font; Default
// when no usable combination file is remembered.
#include "combinations/Decodifica.h"
#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "combinations/Font.h"
#include "combinations/GestioneDatiEsterni.h"
#include "codec/Impostazioni.h"
#include "codec/SegnoApplicazione.h"
#include "codec/Vaglio.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Suoni.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace fs = std::filesystem;

namespace GestioneDatiEsterni {

namespace {

QString Testo(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void ApplicaDefault(Gioco& g) {
  for (int n = 0; n < NumeroImmagini; ++n) {
    g.OrigineImmagini[static_cast<size_t>(n)] = QStringLiteral("Default");
    ImpostaImmagineSlot(g, n, ImmagineIncorporata(g, n), true);
  }
  for (size_t n = 0; n < NumeroSuoni; ++n) {
    g.OrigineSuoni[n].clear();
    g.Volumi[n] = -1000;
    // Default has no sounds: no earlier combination's effect keeps playing.
    g.BufferSuoni[n].reset();
  }
  g.AutoreCombinazione = QStringLiteral("Dorvanel");
  g.CombinazioneCorrente = QStringLiteral("Default");
}

void EliminaMedia(const Gioco& g) {
  for (int n = 0; n < NumeroImmagini; ++n) (void)EliminaFile(g.File(NomeFileImmagine(n)));
  for (int n = 1; n < NumeroSuoni; ++n) (void)EliminaFile(g.File(NomeFileSuono(n)));
}

}  // namespace

Immagine ImmagineIncorporata(const Gioco& g, int n) {
  return n < g.img_default.Limite() ? g.img_default[n].Picture : Immagine{};
}

namespace {

// The sprite that carries image slot n (element 0 of a set); none for slot 13,
// the window's background.
template <class G>
auto SpriteDelloSlot(G& g, int n) -> decltype(&g.img_giocatore) {
  switch (n) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return &(*g.RigheDalBasso()[static_cast<size_t>(n)])[0];
    case 5:
      return &g.img_proiettilegiocatore;
    case 6:
      return &g.img_proiettilenemico[0];
    case 7:
      return &g.img_navicellabonus;
    case 8:
      return &g.img_giocatore;
    case 9:
      return &g.img_muro[0];
    case 10:
      return &g.img_pausa;
    case 11:
      return &g.img_gameover;
    case 12:
      return &g.img_nextlevel;
    default:
      return nullptr;
  }
}

}  // namespace

Immagine ImmagineSlot(const Gioco& g, int n) {
  const Sprite* sprite = SpriteDelloSlot(g, n);
  return sprite ? sprite->Picture : g.Picture;
}

void ImpostaImmagineSlot(Gioco& g, int n, const Immagine& immagine, bool tutti) {
  if (n == 13) {
    g.Picture = immagine;
    return;
  }
  Sprite* sprite = SpriteDelloSlot(g, n);
  if (!sprite) return;
  sprite->Picture = immagine;
  if (!tutti) return;
  if (n == 6) {
    for (int k = 1; k < g.img_proiettilenemico.Limite(); ++k)
      g.img_proiettilenemico[k].Picture = immagine;
  } else if (n == 9) {
    for (int j = 1; j < g.img_muro.Limite(); ++j) g.img_muro[j].Picture = immagine;
  }
}

namespace {

QString Slot(const char* nome, const std::optional<Vaglio::Rifiuto>& rifiuto, TipoSlot tipo) {
  QString testo = QString::fromUtf8(nome);
  // A budget broken is worth saying; a file that is not what the slot takes is told
  // by the message itself.
  if (rifiuto && rifiuto->motivo != Vaglio::Motivo::Formato)
    testo += QStringLiteral(" (") + MotivoRifiuto(*rifiuto, tipo) + QLatin1Char(')');
  return testo;
}

}  // namespace

void ApplicaCombinazione(Gioco& g) {
  dShow::ChiudiMusica(g);
  (void)EliminaFile(g.File(NomeFileSuono(0)));
  g.UsaDefault = false;

  // The remembered choice; a settings file that breaks off keeps what it gave.
  std::optional<fs::path> scelta;
  const fs::path fileScelta = g.File(NomeFileScelta);
  std::error_code ec;
  if (fs::exists(fileScelta, ec)) {
    const LetturaScelta lettura = LeggiFileScelta(fileScelta);
    scelta = lettura.Percorso;
    if (lettura.AudioAttivo) g.AudioAttivo = *lettura.AudioAttivo;
  }
  // A run that died while applying a combination left its mark: that combination is
  // not tried again by itself, or every start would fall the same way.
  if (const auto caduta = SegnoRimasto(g.CartellaProgramma)) {
    TogliSegno(g.CartellaProgramma);
    (void)RicordaScelta(g, QStringLiteral("Default"));
    g.UsaDefault = true;
    ApplicaDefault(g);
    g.dialoghi.MsgBox(
        QStringLiteral("Il programma si è chiuso mentre applicava la combinazione %1: si usa la "
                       "combinazione Default. Si può scegliere di nuovo dal menu Combinazioni.")
            .arg(QString::fromStdString(*caduta)),
        Pulsanti::OK, Icona::Esclamazione, Firma());
    return;
  }

  if (!scelta || !fs::exists(*scelta, ec)) {
    g.UsaDefault = true;
    return ApplicaDefault(g);
  }

  // A file that can't be read at all leaves the game on Default, and says so.
  const std::string segno = scelta->stem().string();
  MettiSegno(g.CartellaProgramma, segno);
  if (const Esito letta = LeggiCombinazione(g, *scelta); !letta) {
    TogliSegno(g.CartellaProgramma);
    g.UsaDefault = true;
    ApplicaDefault(g);
    const bool grande = fs::file_size(*scelta, ec) > Vaglio::MaxByteCombinazione && !ec;
    g.dialoghi.MsgBox(
        QStringLiteral("La combinazione %1 non può essere letta: %2. Si usa la combinazione "
                       "Default.")
            .arg(QString::fromStdString(scelta->string()),
                 grande ? QStringLiteral("il file supera il limite di %1 MiB")
                              .arg(Vaglio::MaxByteCombinazione / Vaglio::MiB)
                        : QStringLiteral("il file è danneggiato")),
        Pulsanti::OK, Icona::Esclamazione, Firma());
    return;
  }

  const TipoCombinazione& c = g.Comb;
  // A combination is called by its file's name, as the menu lists it and the editor
  // saves it; the name stored inside may differ in a file made elsewhere.
  const QString nome = QString::fromStdString(segno);
  QStringList inutilizzabili;
  // Slots left out only because the folder takes no file: the folder is what to say.
  QStringList nonScritti;
  // Every slot is held against the budgets before anything is decoded.
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(c);
  // The pictures' decoder starts while the sounds are made ready.
  for (size_t n = 0; n < NumeroImmagini; ++n)
    if (c.Immagini[n] != ImmagineDefault && !esame.immagini[n].rifiuto) {
      DecodificaEsterna::Prepara();
      break;
    }

  g.AutoreCombinazione = Testo(c.Autore);
  g.PasswordCombinazione = Testo(c.Password);
  g.FontNome = Testo(c.FontNome);
  g.FontDimensione = Testo(c.FontDimensione);
  g.FontColore = Testo(c.FontColore);
  g.FontGrassetto = c.FontGrassetto;
  g.FontCorsivo = c.FontCorsivo;

  for (size_t n = 0; n < NumeroSuoni; ++n) {
    g.OrigineSuoni[n].clear();
    g.BufferSuoni[n].reset();
    if (c.Suoni[n].empty()) continue;
    g.OrigineSuoni[n] = nome;
    if (esame.suoni[n]) {
      inutilizzabili << Slot(NomiSuoni[n], esame.suoni[n], TipoSlot::Suono);
      continue;
    }
    const fs::path file = g.File(NomeFileSuono(static_cast<int>(n)));
    if (!ScriviFileMedia(file, c.Suoni[n], g.chiamateFile)) {
      nonScritti << QString::fromUtf8(NomiSuoni[n]);
    } else if (n == 0) {
      dShow::ApriMusica(g, file);
    } else {
      // A sound that can't become an effect leaves its slot silent.
      g.BufferSuoni[n] = Suoni::CreaBufferSuono(g, file);
      if (!g.BufferSuoni[n] && g.audio.Disponibile())
        inutilizzabili << QString::fromUtf8(NomiSuoni[n]);
    }
  }
  for (size_t n = 0; n < NumeroSuoni; ++n) g.Volumi[n] = c.Volumi[n];
  g.CombinazioneCorrente = nome;

  ControllaFont(g, esame.font, segno, inutilizzabili);

  // The pictures about to be replaced go first, so that the old and the new ones are
  // never held together: the budgets are what a combination may hold, not twice that.
  for (int n = 0; n < NumeroImmagini; ++n)
    if (c.Immagini[static_cast<size_t>(n)] != ImmagineDefault)
      ImpostaImmagineSlot(g, n, ImmagineIncorporata(g, n), true);
  // A "Default" slot, and a picture that can't be used, show the built-in picture.
  std::array<Immagine, NumeroImmagini> immagini;
  std::array<QString, NumeroImmagini> perche;  // why a slot keeps its built-in picture
  std::vector<DecodificaEsterna::Voce> daDecodificare;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    const std::string& byte = c.Immagini[s];
    g.OrigineImmagini[s] = byte == ImmagineDefault ? QStringLiteral("Default") : nome;
    if (byte == ImmagineDefault) continue;
    const Vaglio::EsameImmagine& verdetto = esame.immagini[s];
    if (verdetto.rifiuto) {
      perche[s] = Slot(NomiImmagini[s], verdetto.rifiuto, TipoSlot::Immagine);
      continue;
    }
    // The slot's media file is written as ever; the picture comes from the same bytes.
    if (ScriviFileMedia(g.File(NomeFileImmagine(n)), byte, g.chiamateFile))
      daDecodificare.push_back({n, byte, verdetto});
    else
      nonScritti << QString::fromUtf8(NomiImmagini[s]);
  }
  // All of them in one decoder, whatever any of them does to it.
  std::vector<ImmagineDecodificata> decodificate = DecodificaImmagini(daDecodificare);
  for (size_t i = 0; i < decodificate.size(); ++i) {
    const auto s = static_cast<size_t>(daDecodificare[i].slot);
    if (Immagine* immagine = std::get_if<Immagine>(&decodificate[i]))
      immagini[s] = std::move(*immagine);
    else
      perche[s] = QString::fromUtf8(NomiImmagini[s]) + QStringLiteral(" (") +
                  MotivoDecodifica(std::get<DecodificaEsterna::Motivo>(decodificate[i])) +
                  QLatin1Char(')');
  }
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    if (!perche[s].isEmpty()) inutilizzabili << perche[s];
    ImpostaImmagineSlot(g, n, immagini[s].Vuota() ? ImmagineIncorporata(g, n) : immagini[s], true);
  }
  EliminaMedia(g);
  TogliSegno(g.CartellaProgramma);

  g.Caption = Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione);

  // One message says all: what the folder kept out, then what the game refuses.
  QStringList frasi;
  if (!nonScritti.isEmpty())
    frasi << QStringLiteral(
                 "La cartella del programma %1 non si può scrivere: della "
                 "combinazione %2 non si possono preparare %3.")
                 .arg(QString::fromStdString(g.CartellaProgramma.string()), nome,
                      nonScritti.join(QStringLiteral(", ")));
  if (!inutilizzabili.isEmpty())
    frasi << QStringLiteral("Della combinazione %1 non si possono usare: %2.")
                 .arg(nome, inutilizzabili.join(QStringLiteral(", ")));
  if (!frasi.isEmpty())
    g.dialoghi.MsgBox(frasi.join(QLatin1Char(' ')) +
                          QStringLiteral(" Al loro posto restano le immagini predefinite o il "
                                         "silenzio."),
                      Pulsanti::OK, Icona::Esclamazione, Firma());
}

}  // namespace GestioneDatiEsterni
