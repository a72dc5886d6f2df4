// The high-score table: the file Record, the arrays and the labels.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/GestioneDatiEsterni.h"
#include "support/Banco.h"

namespace {

using GestioneDatiEsterni::CaricaRecord;
using GestioneDatiEsterni::InserisciRecord;

std::string TabellaNuova() {
  std::string s;
  for (int i = 0; i < 10; ++i) s += "\"no name\"\r\n0\r\n0\r\n";
  return s;
}

std::string Tabella(std::initializer_list<std::tuple<const char*, int, int>> voci) {
  std::string s;
  for (const auto& [nome, punti, livello] : voci)
    s += "\"" + std::string(nome) + "\"\r\n" + std::to_string(punti) + "\r\n" +
         std::to_string(livello) + "\r\n";
  return s;
}

std::string DieciVoci() {
  return Tabella({{"Anna", 1000, 5},
                  {"Bice", 900, 4},
                  {"Carlo", 800, 4},
                  {"Dora", 700, 3},
                  {"Ezio", 600, 3},
                  {"Fede", 500, 2},
                  {"Gino", 400, 2},
                  {"Ivo", 300, 1},
                  {"Lia", 200, 1},
                  {"Mino", 100, 1}});
}

TEST(CaricaRecord, CreatesAFreshReadOnlyTableOnFirstStart) {
  Banco b;
  b.Avvia();
  EXPECT_EQ(b.Leggi("Record"), TabellaNuova());
  struct stat st {};
  ASSERT_EQ(::stat(b.File("Record").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444);
  EXPECT_EQ(b.g.lbl_namer[1].Caption, "no name");
  EXPECT_EQ(b.g.lbl_puntir[10].Caption, "0");
  EXPECT_EQ(b.g.lbl_nomer.Caption, "no name");
  EXPECT_EQ(b.g.lbl_record.Caption, "0");
}

TEST(CaricaRecord, ADamagedFileKeepsTheFieldsReadSaysSoAndTheNextScoreWritesAGoodFile) {
  Banco b;
  b.Scrivi("Record", Tabella({{"Anna", 1000, 5}}) + "\"Bice\"\r\nnovecento\r\n");
  b.Avvia();
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].testo, "Errore nel salvataggio record, record non salvato");
  EXPECT_EQ(box[0].icona, Icona::Informazione);
  EXPECT_EQ(b.g.RecordNomi[1], "Anna");
  EXPECT_EQ(b.g.RecordNomi[2], "Bice");
  EXPECT_EQ(b.g.RecordPunti[2], 0);
  EXPECT_EQ(b.g.lbl_namer[1].Caption, "NAME");  // the labels keep their captions

  b.g.Punteggio = 50;
  b.g.Livello = 1;
  b.dialoghi.AccodaTesto("Zeno");
  InserisciRecord(b.g);
  EXPECT_TRUE(b.Leggi("Record").starts_with(Tabella({{"Anna", 1000, 5}, {"Zeno", 50, 1}})));
  EXPECT_EQ(b.g.lbl_namer[2].Caption, "Zeno");
}

TEST(InserisciRecord, AScoreEqualToAnEntryRanksBelowItAndTheLastEntryIsDropped) {
  Banco b;
  b.Scrivi("Record", DieciVoci());
  b.Avvia();
  b.g.Punteggio = 700;  // equal to entry 4, greater than entry 5
  b.g.Livello = 6;
  b.dialoghi.AccodaTesto("Nora");
  InserisciRecord(b.g);
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].tipo, "input");
  EXPECT_EQ(box[0].testo, "Complimenti sei in 5a posizione. Inserisci il tuo nome");
  EXPECT_EQ(b.g.RecordNomi[4], "Dora");
  EXPECT_EQ(b.g.RecordNomi[5], "Nora");
  EXPECT_EQ(b.g.RecordLivelli[5], 6);
  EXPECT_EQ(b.g.RecordNomi[6], "Ezio");
  EXPECT_EQ(b.g.RecordNomi[10], "Lia");
  EXPECT_EQ(b.g.lbl_namer[5].Caption, "Nora");
}

TEST(InserisciRecord, NothingEntersWithoutBeatingAnEntry) {
  Banco b;
  b.Avvia();
  b.g.Punteggio = 0;
  InserisciRecord(b.g);
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
  EXPECT_EQ(b.Leggi("Record"), TabellaNuova());
}

TEST(InserisciRecord, TheBestScoreIsShownAboveAndACancelledNameIsStoredEmpty) {
  Banco b;
  b.Scrivi("Record", DieciVoci());
  b.Avvia();
  b.g.Punteggio = 5000;
  b.g.Livello = 9;
  InserisciRecord(b.g);  // the box is cancelled
  EXPECT_EQ(b.g.RecordNomi[1], "");
  EXPECT_EQ(b.g.lbl_nomer.Caption, "");
  EXPECT_EQ(b.g.lbl_record.Caption, "5000");
  EXPECT_TRUE(b.Leggi("Record").starts_with("\"\"\r\n5000\r\n9\r\n"));
}

TEST(InserisciRecord, NamesAreStoredAsTheFileCanGiveThemBack) {
  Banco b;
  b.Avvia();
  b.g.Punteggio = 10;
  b.dialoghi.AccodaTesto(QString::fromUtf8("Il \"Re\" Nicolò ☃"));
  InserisciRecord(b.g);
  EXPECT_EQ(b.g.RecordNomi[1], QString::fromUtf8("Il 'Re' Nicolò ?"));
  EXPECT_TRUE(b.Leggi("Record").starts_with("\"Il 'Re' Nicol\xF2 ?\"\r\n"));
  CaricaRecord(b.g);
  EXPECT_EQ(b.g.RecordNomi[1], QString::fromUtf8("Il 'Re' Nicolò ?"));
}

TEST(InserisciRecord, FindsTheTableWhateverTheLetterCaseOfItsName) {
  Banco b;
  b.Scrivi("RECORD", DieciVoci());
  b.Avvia();
  EXPECT_EQ(b.g.RecordNomi[1], "Anna");
  b.g.Punteggio = 2000;
  InserisciRecord(b.g);
  EXPECT_FALSE(std::filesystem::exists(b.File("Record")));
  EXPECT_TRUE(b.Leggi("RECORD").starts_with("\"\"\r\n"));
}

}  // namespace
