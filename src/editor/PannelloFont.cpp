// The font panel (the labels' font and colour, and a font file carried by the
// combination) and unlocking a protected combination with its password.
#include "combinations/Decodifica.h"
#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "combinations/GestioneDatiEsterni.h"
#include "editor/TabelleEditor.h"
#include "editor/frm_opzioni.h"
#include "model/Gioco.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdint>
#include <limits>

namespace fs = std::filesystem;

void frm_opzioni::Cb_visualfont_Click() {
  if (Protetta()) return;
  fra_font->show();
  fra_font->raise();
  Cb_visualfont->hide();
}

void frm_opzioni::cb_chiudifont_Click() {
  fra_font->hide();
  Cb_visualfont->show();
}

void frm_opzioni::Cb_font_Click() {
  if (Protetta()) return;
  const std::optional<Carattere> scelto = g.dialoghi.ScegliFont(m_fontAnteprima);
  if (!scelto || scelto->Name.isEmpty()) return;
  txt_font->clear();
  g.EditorFontNome = scelto->Name;
  g.EditorFontDimensione = QString::number(scelto->Size);
  g.EditorFontGrassetto = scelto->Bold;
  g.EditorFontCorsivo = scelto->Italic;
  ImpostaAnteprimaFont({g.EditorFontNome, g.EditorFontDimensione.toDouble(), g.EditorFontGrassetto,
                        g.EditorFontCorsivo},
                       m_coloreAnteprima);
}

void frm_opzioni::cb_color_Click() {
  if (Protetta()) return;
  const std::optional<uint32_t> colore = g.dialoghi.ScegliColore();
  if (!colore) return;
  ImpostaAnteprimaFont(m_fontAnteprima, *colore);
}

void frm_opzioni::Cb_fontFile_Click() {
  Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroFont);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(Cd);
  Cd.filtro = QString::fromLatin1(TabelleEditor::FiltroImmaginiRipristinato);
  if (!scelto) return;
  const fs::path file = TabelleEditor::Percorso(*scelto);
  auto byte = LeggiFile(file, Vaglio::MaxByteFont);
  if (!byte) {
    Messaggio(QStringLiteral("Impossibile leggere il file %1.").arg(*scelto), Icona::Critica);
    return;
  }
  // What a player attaches goes to every player of the combination: it must be a
  // font, and the same one the game takes.
  if (const auto rifiuto = Vaglio::EsaminaFont(byte.valore())) {
    Messaggio(QStringLiteral("Impossibile usare il file %1: %2.")
                  .arg(*scelto, MotivoRifiuto(*rifiuto, TipoSlot::Font)),
              Icona::Esclamazione);
    return;
  }
  m_fontFile = std::move(byte.valore());
  m_fontFileNome = file.filename().string();
  const QString nome = QString::fromStdString(m_fontFileNome);

  // Installed for this user unless a file of that name already is there, which is
  // never replaced; it is registered with the window system when a combination
  // carrying it is applied.
  const fs::path cartella = g.fonts.Cartella();
  std::error_code ec;
  if (cartella.empty() || !fs::exists(fs::symlink_status(cartella / file.filename(), ec))) {
    if (!g.fonts.Installa(m_fontFileNome, m_fontFile)) {
      Messaggio(QStringLiteral("La font %1 non è stata copiata nella cartella %2: la "
                               "combinazione la porterà comunque con sé.")
                    .arg(nome, QString::fromStdString(cartella.string())),
                Icona::Esclamazione);
    }
  }
  lbl_fontdacaricare->setText(nome);
  txt_font->clear();
  Messaggio(QStringLiteral("Ricorda che se vuoi utilizzare la Font che hai appena caricato devi "
                           "selezionarla con il pulsante 'Da Font'"),
            Icona::Informazione);
}

void frm_opzioni::Cb_cancellafont_Click() {
  lbl_fontdacaricare->setText(QStringLiteral("Nessuno"));
  m_fontFile = "Nessuno";
  m_fontFileNome.clear();
}

void frm_opzioni::Cb_InserisciPass_Click() {
  const QString risposta =
      g.dialoghi.InputBox(QStringLiteral("Inserire la PassWord"), Firma(), QString());
  if (risposta != g.PasswordCombinazione) {
    Messaggio(QStringLiteral("Password errata"), Icona::Critica);
    return;
  }
  // Unlocked for the rest of this opening; "TUTTO A DEFAULT" stays disabled.
  g.PasswordCombinazione.clear();
  chk_password->show();
  chk_password->setChecked(true);
  Cb_InserisciPass->hide();
  lbl_pass->hide();
}
