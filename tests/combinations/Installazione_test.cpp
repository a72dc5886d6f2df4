// A received combination on its way into the program folder: what is refused and why,
// in both languages, and what each choice writes, moves or keeps.
#include "combinations/Installazione.h"

#include <QtGlobal>

#include <gtest/gtest.h>

#include "codec/FileAtomico.h"
#include "support/CartellaTemporanea.h"
#include "support/Combinazioni.h"
#include "support/File.h"

namespace fs = std::filesystem;

namespace {

struct Installazione : ::testing::Test {
  // The trash of a throw-away home, on the same disk as the folders.
  Installazione() {
    fs::create_directories(prog);
    fs::create_directories(radice / "casa");
    for (const char* nome : {"HOME", "XDG_DATA_HOME"}) ambiente.emplace_back(nome, qgetenv(nome));
    qputenv("HOME", QByteArray::fromStdString((radice / "casa").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((radice / "dati").string()));
  }
  ~Installazione() override {
    for (const auto& [nome, valore] : ambiente) qputenv(nome, valore);
  }

  // A combination someone sent, as a file outside the program folder.
  fs::path Ricevuta(const std::string& file, const TipoCombinazione& c,
                    const std::string& coda = "") {
    ScriviTutto(radice / file, CodificaCombinazione(c) + coda);
    return radice / file;
  }
  std::string Mia(const std::string& nome, const std::string& autore = "Bruno") {
    TipoCombinazione c = CombinazioneVuota(nome);
    c.Autore = autore;
    ScriviTutto(prog / (nome + ".skcom"), CodificaCombinazione(c));
    return LeggiTutto(prog / (nome + ".skcom"));
  }
  Candidata Esamina(const fs::path& file) {
    auto esame = EsaminaRicevuta(file, prog);
    if (auto* no = std::get_if<Impedimento>(&esame)) ADD_FAILURE() << no->perche;
    return std::get<Candidata>(std::move(esame));
  }

  CartellaTemporanea radice;
  fs::path prog = radice / "prog";
  std::vector<std::pair<const char*, QByteArray>> ambiente;
};

TEST_F(Installazione, RefusesWhatCouldMisleadOrCannotBeWrittenSayingWhyInBothLanguages) {
  Mia("Notturno");
  Mia("Cafe\u0301");  // decomposed, as some systems name files
  TipoCombinazione pesante = CombinazioneVuota("Pesante");
  pesante.Immagini[0] = "non è un'immagine";
  std::string lunga;
  for (int i = 0; i < 117; ++i) lunga += "è";
  // A combination received whose stored name is `nome`, each in a file of its own.
  int ricevute = 0;
  const auto di = [&](const std::string& nome) {
    return Ricevuta(std::to_string(++ricevute) + ".skcom", CombinazioneVuota(nome));
  };
  const std::vector<std::tuple<fs::path, fs::path, std::string, QString>> casi = {
      {di("Default"), prog, "looks like Default", "si confonde con Default"},
      {di("dEFAULT"), prog, "looks like Default", "si confonde con Default"},
      {di("Default "), prog, "ends with a blank", "finisce con uno spazio"},
      {di(" Base"), prog, "begins or ends with a blank", "comincia o finisce"},
      {di("Base\u00A0"), prog, "blank that is not a space", "spazio che non è uno spazio normale"},
      {di("Not\u00ADturno"), prog, "invisible character", "carattere invisibile"},
      {di("notturno"), prog, "looks like that of the combination \"Notturno\"",
       "«Notturno» che c'è già"},
      {di("Café"), prog, "looks like that of the combination \"Cafe\u0301\"",
       "si confonde con quello"},
      {di("../su"), prog, "cannot be a file name", "non può essere il nome di un file"},
      // Bytes, not characters: an è is two in a file name, and the program's temporary
      // names add 16 to the longest one the program writes.
      {di(std::string(234, 'a')), prog, "file name of 240 bytes", "troppo lungo"},
      {di(std::string(233, 'a')), prog, "", ""},
      {di(lunga), prog, "240 bytes", "240 byte"},
      {Ricevuta("p.skcom", pesante), prog, "the game refuses Immagini(0) Alieno 1",
       "il gioco non può usare Alieno 1 (non è un'immagine"},
      {Ricevuta("p.txt", CombinazioneVuota("Testo")), prog, "does not end in .skcom", ".skcom"},
      {Ricevuta("t.skcom", CombinazioneVuota("T")).replace_filename("manca.skcom"), prog,
       "cannot read", "non si legge per intero"},
      // Not even root makes files there.
      {di("Verde"), "/proc", "/proc cannot be written",
       "la cartella del programma /proc non si può scrivere"}};
  for (const auto& [file, cartella, perche, motivo] : casi) {
    SCOPED_TRACE(perche);
    auto esame = EsaminaRicevuta(file, cartella);
    const auto* no = std::get_if<Impedimento>(&esame);
    ASSERT_EQ(no != nullptr, !perche.empty());
    if (!no) continue;
    EXPECT_NE(no->perche.find(perche), std::string::npos) << no->perche;
    EXPECT_TRUE(no->motivo.contains(motivo)) << no->motivo.toStdString();
  }
}

// What the player was asked about is what is written: a file that changes afterwards,
// even to another stored name, changes nothing.
TEST_F(Installazione, WritesTheBytesItCheckedUnderTheNameItNamed) {
  const std::string base = Mia("Base"), altra = Mia("Altra");
  const fs::path file = Ricevuta("Base.skcom", CombinazioneVuota("Base"), "coda");
  const std::string ricevuti = LeggiTutto(file);
  const Candidata candidata = Esamina(file);
  EXPECT_EQ(candidata.posto, Candidata::Posto::Occupata);
  Ricevuta("Base.skcom", CombinazioneVuota("Altra"));

  const auto fatto = Installa(candidata, SceltaConflitto::Sostituisci);
  ASSERT_TRUE(std::holds_alternative<Installata>(fatto)) << std::get<Impedimento>(fatto).perche;
  EXPECT_TRUE(std::get<Installata>(fatto).sostituita);
  EXPECT_EQ(ContenutoCartella(prog),
            (std::map<std::string, std::string>{{"Altra.skcom", altra}, {"Base.skcom", ricevuti}}));
  // The player's file is in the trash, whole, and can be put back from there.
  EXPECT_EQ(LeggiTutto(radice / "dati/Trash/files/Base.skcom"), base);
  EXPECT_TRUE(fs::exists(radice / "dati/Trash/info/Base.skcom.trashinfo"));

  // The same bytes again: already there, nothing to write.
  const Candidata ancora = Esamina(radice / "Base.skcom");
  EXPECT_EQ(ancora.posto, Candidata::Posto::Occupata);  // the file now holds another "Altra"
  ScriviTutto(radice / "copia.skcom", ricevuti);
  const Candidata uguale = Esamina(radice / "copia.skcom");
  EXPECT_EQ(uguale.posto, Candidata::Posto::Identica);
  EXPECT_FALSE(std::get<Installata>(Installa(uguale, SceltaConflitto::Sostituisci)).scritta);
}

// Keeping both: the newcomer takes the first free "<name> n", with that name stored in
// it and nothing else of it changed; keeping the player's writes nothing at all.
TEST_F(Installazione, KeepingBothStoresTheFreeNameInsideAndKeepingMineWritesNothing) {
  const std::string mia = Mia("Notturno"), seconda = Mia("Notturno 2");
  TipoCombinazione nuova = CombinazioneVuota("Notturno");
  nuova.Autore = "Carla";
  const Candidata candidata = Esamina(Ricevuta("n.skcom", nuova, "coda"));
  const auto prima = ContenutoCartella(prog);
  EXPECT_FALSE(std::get<Installata>(Installa(candidata, SceltaConflitto::TieniMia)).scritta);
  EXPECT_EQ(ContenutoCartella(prog), prima);

  EXPECT_EQ(NomeLibero(candidata), "Notturno 3");
  const auto fatto = Installa(candidata, SceltaConflitto::TieniEntrambe);
  ASSERT_TRUE(std::holds_alternative<Installata>(fatto)) << std::get<Impedimento>(fatto).perche;
  EXPECT_EQ(std::get<Installata>(fatto).percorso, prog / "Notturno 3.skcom");
  nuova.Nome = "Notturno 3";
  EXPECT_EQ(LeggiTutto(prog / "Notturno 3.skcom"), CodificaCombinazione(nuova) + "coda");
  EXPECT_EQ(LeggiTutto(prog / "Notturno.skcom"), mia);
  EXPECT_EQ(LeggiTutto(prog / "Notturno 2.skcom"), seconda);
}

// A link in the way that the trash cannot take is not replaced, and nothing is removed.
TEST_F(Installazione, WhatCannotGoToTheTrashIsNotReplaced) {
  fs::create_symlink(radice / "manca", prog / "Blu.skcom");
  const Candidata candidata = Esamina(Ricevuta("b.skcom", CombinazioneVuota("Blu")));
  const auto fatto = Installa(candidata, SceltaConflitto::Sostituisci);
  ASSERT_TRUE(std::holds_alternative<Impedimento>(fatto));
  EXPECT_NE(std::get<Impedimento>(fatto).perche.find("trash"), std::string::npos);
  EXPECT_TRUE(fs::is_symlink(prog / "Blu.skcom"));
}

}  // namespace
