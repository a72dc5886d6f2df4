// The decoded pixels the game keeps of the combination it applied: the next apply
// copies them without starting the decoder, and a file that is damaged, cut short or
// forged costs only the decoder's work, never a wrong picture.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "codec/DecodificaEsterna.h"
#include "codec/FileImmaginiRicordate.h"
#include "codec/Impostazioni.h"
#include "combinations/GestioneDatiEsterni.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"
#include "support/MediaProva.h"
#include "support/Png.h"

namespace fs = std::filesystem;
using namespace GestioneDatiEsterni;

namespace {

constexpr std::array<int, 4> Slot = {0, 6, 9, 13};

TipoCombinazione Colori(QSize sfondo = {800, 600}) {
  TipoCombinazione c = CombinazioneVuota("Colori");
  c.Immagini[0] = Png(Qt::blue);
  c.Immagini[6] = Png(QColor(255, 0, 0, 128));  // alpha: kept premultiplied
  c.Immagini[9] = Png(Qt::blue);                // the same bytes as slot 0, kept once
  c.Immagini[13] = Png(Qt::darkGreen, sfondo);
  return c;
}

struct Ricordate : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(ScriviFileCombinazione(b.File("Colori.skcom"), Colori()));
    ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File("Colori.skcom"), false));
  }
  fs::path Cache() const { return b.File(FileImmaginiRicordate::NomeFile); }
  std::array<Immagine, Slot.size()> Immagini() const {
    std::array<Immagine, Slot.size()> immagini;
    for (size_t i = 0; i < Slot.size(); ++i) immagini[i] = ImmagineSlot(b.g, Slot[i]);
    return immagini;
  }
  // An apply with no decoder to start: what it cannot copy it reports missing.
  QString ApplicaSenzaDecodificatore() {
    DecodificaEsterna::UsaEseguibile(b.File("skarvex-decodifica"));
    ApplicaCombinazione(b.g);
    DecodificaEsterna::UsaEseguibile(SKARVEX_DECODIFICATORE);
    const auto box = b.dialoghi.PrendiBox();
    return box.empty() ? QString() : box[0].testo;
  }
  ino_t Inode() const {
    struct stat s {};
    return stat(Cache().c_str(), &s) == 0 ? s.st_ino : 0;
  }
  Banco b;
};

void ExpectUguali(const std::array<Immagine, Slot.size()>& a,
                  const std::array<Immagine, Slot.size()>& b) {
  for (size_t i = 0; i < Slot.size(); ++i) {
    EXPECT_EQ(a[i].Nome, b[i].Nome) << Slot[i];
    EXPECT_EQ(a[i].Dati.format(), b[i].Dati.format()) << Slot[i];
    EXPECT_EQ(a[i].Dati, b[i].Dati) << Slot[i];
  }
}

TEST_F(Ricordate, ASecondApplyCopiesTheDecodersPixelsAndLeavesTheFileAlone) {
  ApplicaCombinazione(b.g);
  const auto decodificate = Immagini();
  EXPECT_TRUE(decodificate[0].Nome.startsWith("sha1:"));
  EXPECT_EQ(decodificate[1].Dati.format(), QImage::Format_ARGB32_Premultiplied);
  const auto scritta = FileImmaginiRicordate::Leggi(LeggiFile(Cache()).valore());
  ASSERT_TRUE(scritta);
  EXPECT_EQ(scritta->size(), 3u);
  const ino_t inode = Inode();

  EXPECT_EQ(ApplicaSenzaDecodificatore(), QString());
  ExpectUguali(Immagini(), decodificate);
  EXPECT_EQ(Inode(), inode);  // nothing changed, nothing written
}

// Each way the file can be wrong: the pictures it can no longer vouch for go to the
// decoder again (here missing, so it says so), and the next apply that decodes them
// writes the file anew.
TEST_F(Ricordate, AFileOutOfPlaceFallsBackToTheDecoderAndIsRebuilt) {
  ApplicaCombinazione(b.g);
  const auto decodificate = Immagini();
  const std::string buona = LeggiFile(Cache()).valore();
  const auto Numero = [](std::string byte, size_t dove, uint32_t n) {
    return byte.replace(dove, 4, Le(n, 4));
  };
  std::string sha1Diverso = buona, alfaStrano = buona;
  sha1Diverso[12] ^= 1;
  alfaStrano[12 + 28] = 2;
  const struct {
    const char* caso;
    std::string byte;
  } casi[] = {
      {"wrong magic", "X" + buona.substr(1)},
      {"other version", Numero(buona, 4, 2)},
      {"more pictures than slots", Numero(buona, 8, 15)},
      {"cut short", buona.substr(0, buona.size() - 1)},
      {"a byte too many", buona + "x"},
      {"another picture's hash", sha1Diverso},
      {"width over the budget, height 1", Numero(Numero(buona, 12 + 24, 1), 12 + 20, 16'000'001)},
      {"alpha neither 0 nor 1", alfaStrano},
  };
  for (const auto& caso : casi) {
    ScriviTutto(Cache(), caso.byte);
    const QString testo = ApplicaSenzaDecodificatore();
    EXPECT_TRUE(testo.contains("Alieno 1 (manca il programma")) << caso.caso;
    EXPECT_EQ(ImmagineSlot(b.g, 0).Nome, "builtin:0") << caso.caso;
    ApplicaCombinazione(b.g);
    ExpectUguali(Immagini(), decodificate);
    EXPECT_EQ(LeggiFile(Cache()).valore(), buona) << caso.caso;
  }
}

// Pictures whose pixels would make the file too big are not kept, and no older file
// is left behind for them.
TEST_F(Ricordate, PicturesOverTheFilesLimitAreNotKept) {
  ApplicaCombinazione(b.g);
  ASSERT_TRUE(fs::exists(Cache()));
  ASSERT_TRUE(ScriviFileCombinazione(b.File("Colori.skcom"), Colori({3000, 3000})));
  ApplicaCombinazione(b.g);
  EXPECT_EQ(ImmagineSlot(b.g, 13).Dati.size(), QSize(3000, 3000));
  EXPECT_FALSE(fs::exists(Cache()));
}

}  // namespace
