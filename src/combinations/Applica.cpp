// Applying the remembered combination to the game: its pictures on the sprites,
// its sounds in the slots, its volumes, author, password and label font; Default
// when no usable combination file is remembered.
#include "combinations/Decodifica.h"
#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "combinations/Font.h"
#include "combinations/GestioneDatiEsterni.h"
#include "combinations/ImmaginiRicordate.h"
#include "codec/Impostazioni.h"
#include "codec/SegnoApplicazione.h"
#include "codec/Vaglio.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Suoni.h"

#include <array>
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
  g.AutoreCombinazione = QString::fromLatin1(AutoreDefault);
  g.CombinazioneCorrente = QStringLiteral("Default");
}

void UsaDefault(Gioco& g) {
  g.UsaDefault = true;
  ApplicaDefault(g);
}

void Avvisa(Gioco& g, const QString& testo) {
  g.dialoghi.MsgBox(testo, Pulsanti::OK, Icona::Esclamazione, Firma());
}

void EliminaMedia(const Gioco& g) {
  for (int n = 0; n < NumeroImmagini; ++n) (void)EliminaFile(g.File(NomeFileImmagine(n)));
  for (int n = 1; n < NumeroSuoni; ++n) (void)EliminaFile(g.File(NomeFileSuono(n)));
}

// What applying a combination has found to tell, in its one message.
struct Resoconto {
  QStringList inutilizzabili;  // what the game refuses, and why
  // Slots left out only because the folder takes no file: the folder is what to say.
  QStringList nonScritti;
};

QString Slot(const char* nome, const std::optional<Vaglio::Rifiuto>& rifiuto, TipoSlot tipo) {
  QString testo = QString::fromUtf8(nome);
  // A budget broken is worth saying; a file that is not what the slot takes is told
  // by the message itself.
  if (rifiuto && rifiuto->motivo != Vaglio::Motivo::Formato)
    testo += QStringLiteral(" (") + MotivoRifiuto(*rifiuto, tipo) + QLatin1Char(')');
  return testo;
}

// The remembered choice, with the sound switch; a settings file that breaks off keeps
// what it gave.
std::optional<fs::path> SceltaRicordata(Gioco& g) {
  const fs::path fileScelta = g.File(NomeFileScelta);
  std::error_code ec;
  if (!fs::exists(fileScelta, ec)) return std::nullopt;
  const LetturaScelta lettura = LeggiFileScelta(fileScelta);
  if (lettura.AudioAttivo) g.AudioAttivo = *lettura.AudioAttivo;
  return lettura.Percorso;
}

// A run that died while applying a combination left its mark: that combination is
// not tried again by itself, or every start would fall the same way. True when the
// mark was there and the game is on Default.
bool RipiegaDopoCaduta(Gioco& g) {
  const auto caduta = SegnoRimasto(g.CartellaProgramma);
  if (!caduta) return false;
  TogliSegno(g.CartellaProgramma);
  (void)RicordaScelta(g, QStringLiteral("Default"));
  UsaDefault(g);
  Avvisa(g, QStringLiteral("Il programma si è chiuso mentre applicava la combinazione %1: si usa "
                           "la combinazione Default. Si può scegliere di nuovo dal menu "
                           "Combinazioni.")
                .arg(QString::fromStdString(*caduta)));
  return true;
}

// Reads the chosen file into Comb under the mark `segno`. A file that can't be read at
// all leaves the game on Default, and says so; false then.
bool LeggiScelta(Gioco& g, const fs::path& scelta, const std::string& segno) {
  MettiSegno(g.CartellaProgramma, segno);
  if (LeggiCombinazione(g, scelta)) return true;
  TogliSegno(g.CartellaProgramma);
  UsaDefault(g);
  std::error_code ec;
  const bool grande = fs::file_size(scelta, ec) > Vaglio::MaxByteCombinazione && !ec;
  Avvisa(g, QStringLiteral("La combinazione %1 non può essere letta: %2. Si usa la combinazione "
                           "Default.")
                .arg(QString::fromStdString(scelta.string()),
                     grande ? QStringLiteral("il file supera il limite di %1 MiB")
                                  .arg(Vaglio::MaxByteCombinazione / Vaglio::MiB)
                            : QStringLiteral("il file è danneggiato")));
  return false;
}

// The pictures in use go before the decoder starts, so that the old and the new ones
// are never held together, nor the old ones beside the decoder's work: the budgets are
// what a combination may hold, not twice that.
void LasciaImmagini(Gioco& g) {
  for (int n = 0; n < NumeroImmagini; ++n)
    ImpostaImmagineSlot(g, n, ImmagineIncorporata(g, n), true);
}

// The pictures' decoder starts while the sounds are made ready, when there is a
// picture to decode that the game does not remember decoded.
void PreparaDecodifica(const TipoCombinazione& c, const Vaglio::EsameCombinazione& esame,
                       const ImmaginiRicordate& ricordate) {
  for (size_t n = 0; n < NumeroImmagini; ++n)
    if (c.Immagini[n] != ImmagineDefault && !esame.immagini[n].rifiuto &&
        !ricordate.Ricorda(static_cast<int>(n))) {
      DecodificaEsterna::Prepara();
      return;
    }
}

void ApplicaTesti(Gioco& g) {
  const TipoCombinazione& c = g.Comb;
  g.AutoreCombinazione = Testo(c.Autore);
  g.PasswordCombinazione = Testo(c.Password);
  g.FontNome = Testo(c.FontNome);
  g.FontDimensione = Testo(c.FontDimensione);
  g.FontColore = Testo(c.FontColore);
  g.FontGrassetto = c.FontGrassetto;
  g.FontCorsivo = c.FontCorsivo;
}

// Each sound slot's media file, then its music or its effect; and the volumes.
void ApplicaSuoni(Gioco& g, const QString& nome, const Vaglio::EsameCombinazione& esame,
                  Resoconto& resoconto) {
  const TipoCombinazione& c = g.Comb;
  for (size_t n = 0; n < NumeroSuoni; ++n) {
    g.OrigineSuoni[n].clear();
    g.BufferSuoni[n].reset();
    if (c.Suoni[n].empty()) continue;
    g.OrigineSuoni[n] = nome;
    if (esame.suoni[n]) {
      resoconto.inutilizzabili << Slot(NomiSuoni[n], esame.suoni[n], TipoSlot::Suono);
      continue;
    }
    const fs::path file = g.File(NomeFileSuono(static_cast<int>(n)));
    if (!ScriviFileMedia(file, c.Suoni[n], g.chiamateFile)) {
      resoconto.nonScritti << QString::fromUtf8(NomiSuoni[n]);
    } else if (n == 0) {
      dShow::ApriMusica(g, file);
    } else {
      // A sound that can't become an effect leaves its slot silent.
      g.BufferSuoni[n] = Suoni::CreaBufferSuono(g, file);
      if (!g.BufferSuoni[n] && g.audio.Disponibile())
        resoconto.inutilizzabili << QString::fromUtf8(NomiSuoni[n]);
    }
  }
  for (size_t n = 0; n < NumeroSuoni; ++n) g.Volumi[n] = c.Volumi[n];
}

// The pictures to decode: every slot that is not Default, passed the gate and got its
// media file. The others are told in `perche` or in the report.
std::vector<DecodificaEsterna::Voce> ImmaginiDaDecodificare(
    Gioco& g, const QString& nome, const Vaglio::EsameCombinazione& esame,
    std::array<QString, NumeroImmagini>& perche, Resoconto& resoconto) {
  std::vector<DecodificaEsterna::Voce> voci;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    const std::string& byte = g.Comb.Immagini[s];
    g.OrigineImmagini[s] = byte == ImmagineDefault ? QStringLiteral("Default") : nome;
    if (byte == ImmagineDefault) continue;
    const Vaglio::EsameImmagine& verdetto = esame.immagini[s];
    if (verdetto.rifiuto) {
      perche[s] = Slot(NomiImmagini[s], verdetto.rifiuto, TipoSlot::Immagine);
      continue;
    }
    // The slot's media file is written as ever; the picture comes from the same bytes.
    if (ScriviFileMedia(g.File(NomeFileImmagine(n)), byte, g.chiamateFile))
      voci.push_back({n, byte, verdetto});
    else
      resoconto.nonScritti << QString::fromUtf8(NomiImmagini[s]);
  }
  return voci;
}

// Each picture slot shows the combination's picture, or the built-in one for a
// "Default" slot and for a picture that can't be used.
void ApplicaImmagini(Gioco& g, const QString& nome, const Vaglio::EsameCombinazione& esame,
                     const ImmaginiRicordate& ricordate, Resoconto& resoconto) {
  std::array<Immagine, NumeroImmagini> immagini;
  std::array<QString, NumeroImmagini> perche;  // why a slot keeps its built-in picture
  // Those decoded before are copied; all the others in one decoder, whatever any of
  // them does to it.
  const std::vector<DecodificaEsterna::Voce> voci =
      ricordate.Prendi(ImmaginiDaDecodificare(g, nome, esame, perche, resoconto), immagini);
  std::vector<ImmagineDecodificata> decodificate = DecodificaImmagini(voci);
  for (size_t i = 0; i < decodificate.size(); ++i) {
    const auto s = static_cast<size_t>(voci[i].slot);
    if (Immagine* immagine = std::get_if<Immagine>(&decodificate[i]))
      immagini[s] = std::move(*immagine);
    else
      perche[s] = QString::fromUtf8(NomiImmagini[s]) + QStringLiteral(" (") +
                  MotivoDecodifica(std::get<DecodificaEsterna::Motivo>(decodificate[i])) +
                  QLatin1Char(')');
  }
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    if (!perche[s].isEmpty()) resoconto.inutilizzabili << perche[s];
    ImpostaImmagineSlot(g, n, immagini[s].Vuota() ? ImmagineIncorporata(g, n) : immagini[s], true);
  }
  ricordate.Aggiorna(immagini, g.chiamateFile);
}

// One message says all: what the folder kept out, then what the game refuses.
void Riferisci(Gioco& g, const QString& nome, const Resoconto& resoconto) {
  if (resoconto.nonScritti.isEmpty() && resoconto.inutilizzabili.isEmpty()) return;
  QString nonScritti;
  if (!resoconto.nonScritti.isEmpty())
    nonScritti = QStringLiteral(
                     "La cartella del programma %1 non si può scrivere: della "
                     "combinazione %2 non si possono preparare %3.")
                     .arg(QString::fromStdString(g.CartellaProgramma.string()), nome,
                          resoconto.nonScritti.join(QStringLiteral(", ")));
  Avvisa(g, AvvisoInutilizzabili(nome, resoconto.inutilizzabili.join(QStringLiteral(", ")),
                                 nonScritti));
}

}  // namespace

void ApplicaCombinazione(Gioco& g) {
  dShow::ChiudiMusica(g);
  (void)EliminaFile(g.File(NomeFileSuono(0)));
  g.UsaDefault = false;

  const std::optional<fs::path> scelta = SceltaRicordata(g);
  if (RipiegaDopoCaduta(g)) return;
  std::error_code ec;
  if (!scelta || !fs::exists(*scelta, ec)) return UsaDefault(g);
  const std::string segno = scelta->stem().string();
  if (!LeggiScelta(g, *scelta, segno)) return;

  // A combination is called by its file's name, as the menu lists it and the editor
  // saves it; the name stored inside may differ in a file made elsewhere.
  const QString nome = QString::fromStdString(segno);
  // Every slot is held against the budgets before anything is decoded.
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(g.Comb);
  const ImmaginiRicordate ricordate(g.File(FileImmaginiRicordate::NomeFile), g.Comb.Immagini,
                                    esame);
  LasciaImmagini(g);
  PreparaDecodifica(g.Comb, esame, ricordate);
  Resoconto resoconto;
  ApplicaTesti(g);
  ApplicaSuoni(g, nome, esame, resoconto);
  g.CombinazioneCorrente = nome;
  ControllaFont(g, esame.font, segno, resoconto.inutilizzabili);
  ApplicaImmagini(g, nome, esame, ricordate, resoconto);
  EliminaMedia(g);
  TogliSegno(g.CartellaProgramma);

  g.Caption = Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione);
  Riferisci(g, nome, resoconto);
}

}  // namespace GestioneDatiEsterni
