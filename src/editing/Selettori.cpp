// The slot pickers, the trials and the volumes: a picture or a sound chosen for a
// slot, tried, and its volume set by the slider or the box.
#include "editing/EditorComune.h"

#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "combinations/Decodifica.h"
#include "combinations/GestioneDatiEsterni.h"
#include "editing/UnitaVolume.h"
#include "sound/Suoni.h"
#include "sound/dShow.h"

#include <algorithm>
#include <variant>

namespace fs = std::filesystem;

namespace Editor {
namespace {

bool Riga(int i) {
  return i >= 0 && i < NumeroSuoni;
}

void AvvisaTimer(ModelloEditor& m, bool acceso) {
  if (m.avvisi.timerProva) m.avvisi.timerProva(acceso);
}

// A picture decoded from a file for slot `slot` as a combination's pictures are,
// through the same gate and within what the combination's other pictures leave of its
// budget; the reason when it can't be used.
Risultato<Immagine> ImmagineDaFile(const QString& file, int slot, uint64_t altriPixel) {
  const Errore illeggibile =
      ComeErrore(QStringLiteral("non è un'immagine JPG, GIF o BMP leggibile"));
  auto byte = LeggiFile(Percorso(file), Vaglio::MaxByteCombinazione);
  if (!byte) return illeggibile;
  Vaglio::EsameImmagine esame = Vaglio::EsaminaImmagine(byte.valore());
  if (!esame.rifiuto && altriPixel + esame.Pixel() > Vaglio::MaxPixelCombinazione)
    esame.rifiuto = Vaglio::Rifiuto{Vaglio::Motivo::PixelCombinazione, altriPixel + esame.Pixel(),
                                    Vaglio::MaxPixelCombinazione};
  if (esame.rifiuto) {
    switch (esame.rifiuto->motivo) {
      case Vaglio::Motivo::Formato:
      case Vaglio::Motivo::Danneggiato:
        return illeggibile;
      case Vaglio::Motivo::Pixel:
      case Vaglio::Motivo::PixelCombinazione:
        return ComeErrore(QStringLiteral("è troppo grande (%1)")
                              .arg(MotivoRifiuto(*esame.rifiuto, TipoSlot::Immagine)));
      default:
        return ComeErrore(MotivoRifiuto(*esame.rifiuto, TipoSlot::Immagine));
    }
  }
  // Decoded in the child, as the game will: what it can't decode says why.
  const DecodificaEsterna::Voce voce{slot, byte.valore(), esame};
  ImmagineDecodificata immagine = std::move(DecodificaImmagini({&voce, 1}).front());
  if (const auto* motivo = std::get_if<DecodificaEsterna::Motivo>(&immagine))
    return *motivo == DecodificaEsterna::Motivo::NonDecodificabile
               ? illeggibile
               : ComeErrore(MotivoDecodifica(*motivo));
  return std::get<Immagine>(std::move(immagine));
}

// The pixels of the pictures chosen for the slots other than n, as the game will
// decode them.
uint64_t PixelAltriSlot(const ModelloEditor& m, int n) {
  uint64_t pixel = 0;
  for (int k = 0; k < NumeroImmagini; ++k) {
    const QImage& dati = m.anteprime[static_cast<size_t>(k)].Dati;
    if (k != n && m.immagini[static_cast<size_t>(k)] != QLatin1String("Default"))
      pixel += static_cast<uint64_t>(dati.width()) * static_cast<uint64_t>(dati.height());
  }
  return pixel;
}

// The player a row's trial uses: the one of the file chosen here, else the game's.
const Effetto* EffettoRiga(const Gioco& g, const ModelloEditor& m, int i) {
  const auto s = static_cast<size_t>(i);
  return m.effetti[s] ? m.effetti[s].get() : g.BufferSuoni[s].get();
}

void VolumeMusicaEditor(Gioco& g) {
  int32_t volume = g.VolumiEditor[0];
  dShow::VolumeMusica(g, volume);
}

void ApriMusica(Gioco& g, ModelloEditor& m) {
  m.cd_audio.filtro = Filtro(FiltriEditor::Musica);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.cd_audio);
  // The music filter is for this row only, chosen or cancelled.
  m.cd_audio.filtro = Filtro(FiltriEditor::AudioDopoMusica);
  if (!scelto) return;
  dShow::ApriMusica(g, Percorso(*scelto));
  if (g.audio.Disponibile() && !g.audio.MusicaAperta()) {
    // Back to what played before: the file chosen earlier, or the game's music.
    if (m.musicaEditor.isEmpty()) {
      RiapriMusicaGioco(g, m);
    } else {
      dShow::ApriMusica(g, Percorso(m.musicaEditor));
    }
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: non è un file audio MP3, WAV o MID "
                             "leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  m.musicaSostituita = true;
  m.musicaEditor = *scelto;
  RigaSuono& riga = m.suoni[0];
  riga.sorgente = *scelto;
  ImpostaTestoVolume(g, m, 0, QStringLiteral("100"));
  riga.attiva = true;
  ImpostaPosizione(g, m, 0, UnitaVolume::Intero(riga.volume).value_or(100));
}

// The box's text as a volume for the slider, when it is one.
std::optional<int> VolumeDigitato(const RigaSuono& riga) {
  const std::optional<int> valore = UnitaVolume::Intero(riga.volume);
  if (!valore || *valore < 0 || *valore > 100) return std::nullopt;
  return valore;
}

// The slider at `posizione`, and the box showing it as the slider's change handling
// writes it, even when the slider was there already ("62.5" becomes "62").
void VolumeRiga(Gioco& g, ModelloEditor& m, int i, int posizione) {
  ImpostaPosizione(g, m, i, posizione);
  ImpostaTestoVolume(g, m, i, QString::number(posizione));
}

}  // namespace

void FermaProve(Gioco& g, ModelloEditor& m) {
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (EffettoRiga(g, m, i)) g.audio.Ferma(i);
  }
  dShow::FermaMusica(g);
  AvvisaTimer(m, false);
  m.suoni[0].prova = false;
  g.ProvaMusica = false;
}

void RiapriMusicaGioco(Gioco& g, ModelloEditor& m) {
  const fs::path musica = g.File(NomeFileSuono(0));
  if (!g.OrigineSuoni[0].isEmpty() && GestioneDatiEsterni::VerificaEsistenza(musica)) {
    dShow::ApriMusica(g, musica);
  } else {
    dShow::ChiudiMusica(g);
  }
  m.musicaSostituita = false;
  m.musicaEditor.clear();
}

void ScegliImmagine(Gioco& g, ModelloEditor& m, int n) {
  if (Protetta(g) || n < 0 || n >= NumeroImmagini) return;
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.Cd);
  if (!scelto) return;
  Risultato<Immagine> immagine = ImmagineDaFile(*scelto, n, PixelAltriSlot(m, n));
  if (!immagine) {
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: %2.")
                  .arg(*scelto, TestoErrore(immagine.errore())),
              Icona::Esclamazione);
    return;
  }
  m.immagini[static_cast<size_t>(n)] = *scelto;
  // The game changes only when the combination is saved.
  m.anteprime[static_cast<size_t>(n)] = std::move(immagine).valore();
}

void ScegliSuono(Gioco& g, ModelloEditor& m, int i) {
  if (Protetta(g) || !Riga(i)) return;
  if (i == 0) return ApriMusica(g, m);
  const auto s = static_cast<size_t>(i);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.cd_audio);
  if (!scelto) return;
  std::shared_ptr<Effetto> effetto = Suoni::CreaBufferSuono(g, Percorso(*scelto));
  // Without a sound device nothing can be tried, but the file can still be saved.
  if (!effetto && g.audio.Disponibile()) {
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: non è un file audio WAV leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  RigaSuono& riga = m.suoni[s];
  riga.sorgente = *scelto;
  ImpostaTestoVolume(g, m, i, QStringLiteral("100"));
  ImpostaPosizione(g, m, i, 100);
  // A trial of the old sound ends with it.
  if (riga.prova) {
    g.audio.Ferma(i);
    riga.prova = false;
  }
  m.effetti[s] = std::move(effetto);
  riga.attiva = true;
}

void Prova(Gioco& g, ModelloEditor& m, int i, bool giu) {
  if (!Riga(i)) return;
  m.suoni[static_cast<size_t>(i)].prova = giu;
  if (i == 0) {
    AvvisaTimer(m, true);
    g.ProvaMusica = giu;
    if (giu) {
      dShow::RiproduciDallInizio(g);
    } else {
      dShow::FermaMusica(g);
    }
    return;
  }
  const Effetto* effetto = EffettoRiga(g, m, i);
  if (!effetto) return;
  if (giu) {
    g.audio.Suona(i, *effetto, g.VolumiEditor[static_cast<size_t>(i)], true);
  } else {
    g.audio.Ferma(i);
  }
}

void TimerProva(Gioco& g, ModelloEditor& m) {
  if (!m.suoni[0].prova) return;
  // The trial loops whatever the game's own combination and audio switch: it was
  // started regardless of them.
  if (!dShow::MusicaFinita(g)) return;
  dShow::RiproduciDallInizio(g);
  VolumeMusicaEditor(g);
}

void ImpostaPosizione(Gioco& g, ModelloEditor& m, int i, int posizione) {
  if (!Riga(i)) return;
  const auto s = static_cast<size_t>(i);
  posizione = std::clamp(posizione, 0, 100);
  if (m.suoni[s].posizione == posizione) return;
  m.suoni[s].posizione = posizione;
  if (m.suoni[s].sorgente.isEmpty()) return;
  ImpostaTestoVolume(g, m, i, QString::number(posizione));
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(posizione);
  if (i == 0) {
    VolumeMusicaEditor(g);
  } else if (EffettoRiga(g, m, i)) {
    g.audio.VolumeCanale(i, g.VolumiEditor[s]);
  }
}

void ImpostaTestoVolume(Gioco& g, ModelloEditor& m, int i, const QString& testo) {
  if (!Riga(i)) return;
  const auto s = static_cast<size_t>(i);
  if (m.suoni[s].volume == testo) return;
  m.suoni[s].volume = testo;
  if (m.suoni[s].sorgente.isEmpty()) return;
  // The typed text is taken over only on Enter; until then the slider rules.
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(m.suoni[s].posizione);
  if (i == 0) VolumeMusicaEditor(g);
}

void ConfermaVolume(Gioco& g, ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  const RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  if (riga.sorgente.isEmpty()) return;
  const std::optional<int> valore = VolumeDigitato(riga);
  if (!valore) {
    Messaggio(g, QStringLiteral("Valore non in range (0 - 100)"), Icona::Esclamazione);
    return VolumeRiga(g, m, i, 100);
  }
  VolumeRiga(g, m, i, *valore);
}

void LasciaVolume(Gioco& g, ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  const RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  if (riga.sorgente.isEmpty()) return;
  // Leaving the box says nothing: what can't be a volume gives way to the slider.
  VolumeRiga(g, m, i, VolumeDigitato(riga).value_or(riga.posizione));
}

void SvuotaRiga(ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  // The box's change handling finds the row empty; the player and its volume stay.
  riga.sorgente.clear();
  riga.volume = QStringLiteral("0");
  riga.attiva = false;
}

}  // namespace Editor
