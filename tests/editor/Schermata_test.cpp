// The editor drawn off screen on the demo combination, hovering "Alieno 1". The
// picture goes to the file named by SKARVEX_SCHERMATA_EDITOR when it is set (the
// README's docs/editor.png is made this way).
#include "editor/BancoEditor.h"
#include "ui/Demo.h"

namespace {

using namespace banco_editor;

using Schermata = BancoEditor;

TEST_F(Schermata, TheEditorDrawsItselfOnTheDemoCombination) {
  const QByteArray demo = CombinazioneDemo();
  ASSERT_FALSE(demo.isEmpty());
  b.Scrivi(NomeFileDemo, demo.toStdString());
  ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(NomeFileDemo), false));
  Apri(true);
  const QImage senza = editor->grab().toImage();
  Sopra(QStringLiteral("CB_ali1"));
  const QImage schermata = editor->grab().toImage();
  EXPECT_EQ(schermata.size() / schermata.devicePixelRatio(), QSize(695, 574));
  EXPECT_NE(schermata, senza);  // the hovered preview is drawn

  if (const QString file = qEnvironmentVariable("SKARVEX_SCHERMATA_EDITOR"); !file.isEmpty()) {
    EXPECT_TRUE(schermata.save(file, "PNG"));
  }
}

}  // namespace
