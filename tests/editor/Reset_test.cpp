// "Def", "TUTTO A DEFAULT" and "Elimina".
#include "editor/Anteprima.h"
#include "editor/BancoEditor.h"
#include "editor/TabelleEditor.h"

#include <QLabel>

namespace {

using namespace banco_editor;

struct Reset : BancoEditor {
  // Verde has its own alien row, alien shots, bricks, background and two sounds.
  void ApriVerde() {
    TipoCombinazione c = CombinazioneVuota("Verde");
    c.Immagini[0] = Png(Qt::green);
    c.Immagini[6] = Png(Qt::yellow);
    c.Immagini[9] = Png(Qt::darkGreen);
    c.Immagini[13] = Png(Qt::darkGray, {80, 60});
    c.Suoni[2] = c.Suoni[11] = Wav;
    Metti(c);
    Apri();
  }
  QString Verde() const { return QString::fromStdString(b.File("Verde.skcom").string()); }
};

TEST_F(Reset, DefAndTuttoADefaultPutSlotsBackInTheEditorAndOnTheGameAtOnce) {
  ApriVerde();
  const Immagine gialla = b.g.img_proiettilenemico[1].Picture;
  Clic(QStringLiteral("cb_def_6"));
  EXPECT_EQ(Testo(QStringLiteral("txt_proiettileN")), "Default");
  EXPECT_EQ(C<Anteprima>(QStringLiteral("img_proiettilenemico_0"))->Picture().Nome, "builtin:6");
  EXPECT_EQ(b.g.img_proiettilenemico[0].Picture.Nome, "builtin:6");
  EXPECT_EQ(b.g.img_proiettilenemico[1].Picture, gialla);
  EXPECT_EQ(aggiornamenti, 1);
  // The background's built-in picture is none: the playfield goes black.
  Clic(QStringLiteral("cb_def_13"));
  EXPECT_TRUE(b.g.Picture.Vuota());
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno1")), "Verde");

  // "TUTTO A DEFAULT" empties every slot and row and forgets the name.
  Clic(QStringLiteral("Cb_default"));
  EXPECT_EQ(C<QLabel>(QStringLiteral("lbl_combinazione"))->text(), "Default");
  EXPECT_EQ(b.g.CombinazioneInModifica, "Default");
  for (size_t n = 0; n < TabelleEditor::SlotImmagini.size(); ++n)
    EXPECT_EQ(Testo(QLatin1String(TabelleEditor::SlotImmagini[n].casella)), "Default");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Riga(i), "|0|0|off");
  EXPECT_EQ(editor->FontAnteprima(), b.g.lbl_default.Font);
  EXPECT_EQ(editor->ColoreAnteprima(), b.g.lbl_default.ForeColor);
  EXPECT_EQ(b.g.img_primafila[0].Picture.Nome, "builtin:0");
  EXPECT_EQ(aggiornamenti, 3);
  // The game's name, author and sounds stay.
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
  EXPECT_EQ(b.g.AutoreCombinazione, "Anna");
  EXPECT_TRUE(b.g.BufferSuoni[2]);
}

TEST_F(Reset, EliminaAsksFirstDeletesOnOkAndTheGameKeepsShowingItUntilTheNextStart) {
  ApriVerde();
  b.dialoghi.AccodaFile(Verde());  // then Cancel at the question
  Clic(QStringLiteral("Cb_elimina"));
  Clic(QStringLiteral("CB_ali1"));
  Clic(QStringLiteral("Cb_elimina"));  // the dialog cancelled
  Clic(QStringLiteral("CB_ali1"));
  EXPECT_TRUE(fs::exists(b.File("Verde.skcom")));
  // The picture filter comes back either way.
  EXPECT_EQ(Filtri(),
            (QStringList{
                "File Combinazione SKCOM|*.skcom", "File immagine JPG GIF BMP|*.jpg;*.gif;*.bmp",
                "File Combinazione SKCOM|*.skcom", "File Immagine JPG GIF BMP|*.jpg;*.gif;*.bmp"}));
  EXPECT_EQ(b.dialoghi.RichiesteFile()[0].cartella.toStdString(), b.g.CartellaProgramma.string());
  Box();

  b.dialoghi.AccodaFile(Verde());
  b.dialoghi.AccodaPulsante(Risposta::OK);
  Clic(QStringLiteral("Cb_elimina"));
  EXPECT_EQ(Box(), QStringList{"Eliminare " + Verde() + " ?"});
  EXPECT_FALSE(fs::exists(b.File("Verde.skcom")));
  EXPECT_FALSE(fs::exists(b.File("CombinazioneScelta")));
  EXPECT_EQ(b.g.CombinazioneCorrente, "Verde");
  EXPECT_EQ(Testo(QStringLiteral("txt_alieno1")), "Verde");

  // What can't be deleted is said.
  fs::create_directory(b.File("Cartella.skcom"));
  const QString cartella = QString::fromStdString(b.File("Cartella.skcom").string());
  b.dialoghi.AccodaFile(cartella);
  b.dialoghi.AccodaPulsante(Risposta::OK);
  Clic(QStringLiteral("Cb_elimina"));
  EXPECT_EQ(Box().last(), "Impossibile eliminare il file " + cartella + ".");

  b.frm.Form_Load();  // the next start
  EXPECT_EQ(b.g.CombinazioneCorrente, "Default");
}

}  // namespace
