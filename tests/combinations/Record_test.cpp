// The high-score file Record behind the table (the table's rules are a scenario).
#include <gtest/gtest.h>

#include "combinations/GestioneDatiEsterni.h"
#include "support/Banco.h"

namespace {

using GestioneDatiEsterni::CaricaRecord;
using GestioneDatiEsterni::InserisciRecord;

std::string Voce(const char* nome, int punti, int livello) {
  return "\"" + std::string(nome) + "\"\r\n" + std::to_string(punti) + "\r\n" +
         std::to_string(livello) + "\r\n";
}

struct Record : ::testing::Test {
  Banco b;
};

TEST_F(Record, CreatesAFreshReadOnlyTableOnFirstStart) {
  b.Avvia();
  std::string nuova;
  for (int i = 0; i < 10; ++i) nuova += Voce("no name", 0, 0);
  EXPECT_EQ(b.Leggi("Record"), nuova);
  EXPECT_EQ(std::filesystem::status(b.File("Record")).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                std::filesystem::perms::others_read);
}

TEST_F(Record, ADamagedFileKeepsTheFieldsReadSaysSoAndTheNextScoreWritesAGoodFile) {
  b.Scrivi("Record", Voce("Anna", 1000, 5) + "\"Bice\"\r\nnovecento\r\n");
  b.Avvia();
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].testo, "Errore nel salvataggio record, record non salvato");
  EXPECT_EQ(box[0].icona, Icona::Informazione);
  EXPECT_EQ((std::tuple{b.g.RecordNomi[1], b.g.RecordNomi[2], b.g.RecordPunti[2]}),
            (std::tuple{QString("Anna"), QString("Bice"), 0}));
  EXPECT_EQ(b.g.lbl_namer[1].Caption, "NAME");  // the labels keep their captions

  b.g.Punteggio = 50;
  b.g.Livello = 1;
  b.dialoghi.AccodaTesto("Zeno");
  InserisciRecord(b.g);
  EXPECT_TRUE(b.Leggi("Record").starts_with(Voce("Anna", 1000, 5) + Voce("Zeno", 50, 1)));
  EXPECT_EQ(b.g.lbl_namer[2].Caption, "Zeno");
}

TEST_F(Record, NamesAreStoredAsTheFileCanGiveThemBack) {
  b.Avvia();
  b.g.Punteggio = 10;
  b.dialoghi.AccodaTesto(QString::fromUtf8("Il \"Re\"\r\nNicolò ☃"));
  InserisciRecord(b.g);
  const QString salvato = QString::fromUtf8("Il 'Re'  Nicolò ?");
  EXPECT_EQ(b.g.RecordNomi[1], salvato);
  EXPECT_TRUE(b.Leggi("Record").starts_with("\"Il 'Re'  Nicol\xF2 ?\"\r\n"));
  CaricaRecord(b.g);
  EXPECT_EQ(b.g.RecordNomi[1], salvato);
}

// The name box's rule: a name goes into the table only when the file gives it back as
// typed (€ is in Windows-1252); the refusal names the first character it would not.
TEST(NomeRecord, IsRefusedForTheFirstCharacterTheFileCannotKeep) {
  const QString fine = QString::fromUtf8(", che non si può salvare nella tabella dei record");
  for (const auto& [nome, carattere] : {std::pair{"Niccolò l'ultimo €", ""},
                                        {"Ωmega Über", "Ω"},
                                        {"Carla \"la Rossa\"", "\""},
                                        {"due\nrighe", "U+000A"}})
    EXPECT_EQ(GestioneDatiEsterni::NomeRecordNonSalvabile(QString::fromUtf8(nome)).value_or(""),
              *carattere ? "Il nome contiene il carattere " + QString::fromUtf8(carattere) + fine
                         : QString())
        << nome;
}

TEST_F(Record, FindsTheTableWhateverTheLetterCaseOfItsName) {
  std::string dieci;
  for (int i = 0; i < 10; ++i) dieci += Voce("Anna", 1000 - i, 5);
  b.Scrivi("RECORD", dieci);
  b.Avvia();
  EXPECT_EQ(b.g.RecordNomi[1], "Anna");
  b.g.Punteggio = 2000;
  InserisciRecord(b.g);
  EXPECT_FALSE(std::filesystem::exists(b.File("Record")));
  EXPECT_TRUE(b.Leggi("RECORD").starts_with("\"\"\r\n"));
}

}  // namespace
