// The slot pickers: a picture file per image slot with its preview on hover, and per
// sound row a file, a latched trial button, a volume slider and a volume box.
#include "combinations/Decodifica.h"
#include "codec/FileAtomico.h"
#include "combinations/GestioneDatiEsterni.h"
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"
#include "editor/UnitaVolume.h"
#include "editor/frm_opzioni.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Effetti.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cstdint>
#include <limits>
#include <optional>
#include <variant>

using TabelleEditor::Percorso;

namespace {

// A picture decoded from a file as a combination's pictures are, through the same
// gate; the reason when it can't be used.
std::variant<Immagine, QString> ImmagineDaFile(const QString& file) {
  const QString illeggibile = QStringLiteral("non è un'immagine JPG, GIF o BMP leggibile");
  auto byte = LeggiFile(Percorso(file), Vaglio::MaxByteCombinazione);
  if (!byte) return illeggibile;
  const Vaglio::EsameImmagine esame = Vaglio::EsaminaImmagine(byte.valore());
  if (esame.rifiuto && esame.rifiuto->motivo != Vaglio::Motivo::Formato &&
      esame.rifiuto->motivo != Vaglio::Motivo::Danneggiato)
    return MotivoRifiuto(*esame.rifiuto, TipoSlot::Immagine);
  Immagine immagine = DecodificaImmagine(byte.valore(), esame);
  if (immagine.Vuota()) return illeggibile;
  return immagine;
}

}  // namespace

void frm_opzioni::PulsanteImmagine_Click(int n) {
  if (Protetta() || n < 0 || n >= NumeroImmagini) return;
  const std::optional<QString> scelto = g.dialoghi.ApriFile(Cd);
  if (!scelto) return;
  const std::variant<Immagine, QString> immagine = ImmagineDaFile(*scelto);
  if (const QString* motivo = std::get_if<QString>(&immagine)) {
    Messaggio(QStringLiteral("Impossibile usare il file %1: %2.").arg(*scelto, *motivo),
              Icona::Esclamazione);
    return;
  }
  CaselleImmagine[static_cast<size_t>(n)]->setText(*scelto);
  // Loaded but left hidden: a preview shows on hover.
  Anteprime[static_cast<size_t>(n)]->Imposta(std::get<Immagine>(immagine));
}

void frm_opzioni::PulsanteImmagine_MouseMove(int n) {
  if (n < 0 || n >= NumeroImmagini) return;
  CancellaTutto();
  const auto& slot = TabelleEditor::SlotImmagini[static_cast<size_t>(n)];
  Anteprime[static_cast<size_t>(n)]->show();
  lbl_dimensioni->setText(QStringLiteral("%1 x %2 pixel").arg(slot.larghezza).arg(slot.altezza));
}

void frm_opzioni::cb_apri_Click(int i) {
  if (Protetta() || i < 0 || i >= NumeroSuoni) return;
  if (i == 0) return ApriMusicaRiga();
  const auto s = static_cast<size_t>(i);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(cd_audio);
  if (!scelto) return;
  std::unique_ptr<Effetto> effetto = GestioneDatiEsterni::CreaBufferSuono(g, Percorso(*scelto));
  // Without a sound device nothing can be tried, but the file can still be saved.
  if (!effetto && g.audio.Disponibile()) {
    Messaggio(QStringLiteral("Impossibile usare il file %1: non è un file audio WAV leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  txt_audio[s]->setText(*scelto);
  txt_vol[s]->setText(QStringLiteral("100"));
  HS_regolavol[s]->setValue(100);
  // A trial of the old sound ends with it.
  if (chk_play[s]->isChecked()) {
    g.audio.Ferma(i);
    chk_play[s]->setChecked(false);
  }
  m_effetti[s] = std::move(effetto);
  txt_vol[s]->setEnabled(true);
  HS_regolavol[s]->setEnabled(true);
}

void frm_opzioni::ApriMusicaRiga() {
  cd_audio.filtro = QString::fromLatin1(TabelleEditor::FiltroMusica);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(cd_audio);
  // The music filter is for this row only, chosen or cancelled.
  cd_audio.filtro = QString::fromLatin1(TabelleEditor::FiltroAudioDopoMusica);
  if (!scelto) return;
  dShow::ApriMusica(g, Percorso(*scelto));
  if (g.audio.Disponibile() && !g.audio.MusicaAperta()) {
    // Back to what played before: the file chosen earlier, or the game's music.
    if (m_musicaEditor.isEmpty()) {
      RiapriMusicaGioco();
    } else {
      dShow::ApriMusica(g, Percorso(m_musicaEditor));
    }
    Messaggio(QStringLiteral("Impossibile usare il file %1: non è un file audio MP3, WAV o MID "
                             "leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  m_musicaSostituita = true;
  m_musicaEditor = *scelto;
  txt_audio[0]->setText(*scelto);
  txt_vol[0]->setText(QStringLiteral("100"));
  txt_vol[0]->setEnabled(true);
  HS_regolavol[0]->setEnabled(true);
  HS_regolavol[0]->setValue(UnitaVolume::Intero(txt_vol[0]->text()).value_or(100));
}

void frm_opzioni::chk_play_Click(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  const bool giu = chk_play[static_cast<size_t>(i)]->isChecked();
  if (i == 0) {
    tmr_ds.SetEnabled(true);
    g.ProvaMusica = giu;
    if (giu) {
      dShow::RiproduciDallInizio(g);
    } else {
      dShow::FermaMusica(g);
    }
    return;
  }
  const Effetto* effetto = EffettoRiga(i);
  if (!effetto) return;
  if (giu) {
    g.audio.Suona(i, *effetto, g.VolumiEditor[static_cast<size_t>(i)], true);
  } else {
    g.audio.Ferma(i);
  }
}

void frm_opzioni::HS_regolavol_Change(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  const auto s = static_cast<size_t>(i);
  if (txt_audio[s]->text().isEmpty()) return;
  const int posizione = HS_regolavol[s]->value();
  txt_vol[s]->setText(QString::number(posizione));
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(posizione);
  if (i == 0) {
    int32_t volume = g.VolumiEditor[0];
    dShow::VolumeMusica(g, volume);
  } else if (EffettoRiga(i)) {
    g.audio.VolumeCanale(i, g.VolumiEditor[s]);
  }
}

void frm_opzioni::txt_vol_Change(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  const auto s = static_cast<size_t>(i);
  if (txt_audio[s]->text().isEmpty()) return;
  // The typed text is taken over only on Enter; until then the slider rules.
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(HS_regolavol[s]->value());
  if (i == 0) {
    int32_t volume = g.VolumiEditor[0];
    dShow::VolumeMusica(g, volume);
  }
}

void frm_opzioni::txt_vol_KeyPress(int i, int KeyAscii) {
  if (KeyAscii != 13 || i < 0 || i >= NumeroSuoni) return;
  const auto s = static_cast<size_t>(i);
  if (txt_audio[s]->text().isEmpty()) return;
  const std::optional<int> valore = UnitaVolume::Intero(txt_vol[s]->text());
  if (!valore || *valore < 0 || *valore > 100) {
    Messaggio(QStringLiteral("Valore non in range (0 - 100)"), Icona::Esclamazione);
    txt_vol[s]->setText(QStringLiteral("100"));
    HS_regolavol[s]->setValue(100);
    return;
  }
  HS_regolavol[s]->setValue(*valore);
}

void frm_opzioni::txt_audio_DblClick(int i) {
  if (i < 0 || i >= NumeroSuoni) return;
  const auto s = static_cast<size_t>(i);
  txt_audio[s]->setText(QString());
  txt_vol[s]->setText(QStringLiteral("0"));
  txt_vol[s]->setEnabled(false);
  HS_regolavol[s]->setEnabled(false);
}
