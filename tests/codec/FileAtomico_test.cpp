#include "codec/FileAtomico.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <map>
#include <set>

#include "support/CartellaTemporanea.h"
#include "support/ChiamateProva.h"
#include "support/File.h"

TEST(LeggiFile, ReadsOnlyRegularFilesOfABoundedSizeSoAFifoCannotHangIt) {
  CartellaTemporanea cartella;
  const auto fifo = cartella / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& percorso : {fifo, cartella.percorso(), std::filesystem::path("/dev/zero")}) {
    auto letto = LeggiFile(percorso);
    ASSERT_FALSE(letto) << percorso;
    EXPECT_NE(letto.errore().find("not a regular file"), std::string::npos) << letto.errore();
  }
  // Nor one larger than the caller can hold.
  const auto file = cartella / "dieci";
  ASSERT_TRUE(ScriviFileAtomico(file, "0123456789"));
  EXPECT_EQ(LeggiFile(file, 10).valore(), "0123456789");
  auto troppo = LeggiFile(file, 9);
  ASSERT_FALSE(troppo);
  EXPECT_NE(troppo.errore().find("larger than 9 bytes"), std::string::npos) << troppo.errore();
}

// Files are made as any program makes them: what the umask lets, read-only ones
// without write.
TEST(ScriviFileAtomico, GivesTheFilePermissionsTheUmaskLets) {
  CartellaTemporanea cartella;
  const struct {
    mode_t umask;
    bool solaLettura;
    mode_t permessi;
  } casi[] = {{022, false, 0644},
              {077, false, 0600},
              {002, false, 0664},
              {022, true, 0444},
              {077, true, 0400}};
  for (const auto& c : casi) {
    const auto file = cartella / "file";
    const mode_t prima = ::umask(c.umask);
    const bool scritto = static_cast<bool>(ScriviFileAtomico(file, "x", c.solaLettura));
    ::umask(prima);
    struct stat stato {};
    ASSERT_TRUE(scritto && ::stat(file.c_str(), &stato) == 0);
    EXPECT_EQ(stato.st_mode & 0777, c.permessi) << std::oct << c.umask << " " << c.solaLettura;
  }
}

// A file that lives only moments is put in place as any other, replacing a link of its
// name rather than writing through it, but never waits for the disk.
TEST(ScriviFileProvvisorio, ReplacesALinkOfItsNameAndNeverWaitsForTheDisk) {
  CartellaTemporanea cartella;
  const auto file = cartella / "img0.sktemp", altro = cartella / "altro";
  ASSERT_TRUE(ScriviFileAtomico(altro, "del giocatore"));
  std::filesystem::create_symlink(altro, file);
  ChiamateProva prova;
  prova.Registra();
  ASSERT_TRUE(ScriviFileProvvisorio(file, "nuovo", prova));
  EXPECT_EQ(LeggiFile(altro).valore(), "del giocatore");
  EXPECT_FALSE(std::filesystem::is_symlink(file));
  EXPECT_EQ(LeggiFile(file).valore(), "nuovo");
  for (const auto passo : prova.Passi())
    EXPECT_TRUE(passo != ChiamateProva::Passo::Sincronizza &&
                passo != ChiamateProva::Passo::SincronizzaCartella)
        << ChiamateProva::Nome(passo);
}

TEST(CreaFileAtomico, MakesANewFileWholeButNeverReplacesOne) {
  CartellaTemporanea cartella;
  const auto file = cartella / "Notturno.skcom";
  ASSERT_TRUE(CreaFileAtomico(file, "nuovo"));
  EXPECT_FALSE(CreaFileAtomico(file, "altro"));
  EXPECT_EQ(LeggiFile(file).valore(), "nuovo");
  // Neither leaves its temporary file behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.percorso()), {}), 1);
}

TEST(EliminaTemporaneiRimasti, RemovesOnlyTheProgramsOwnOldTemporaryFiles) {
  CartellaTemporanea cartella;
  const auto vecchio = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  // The player's hidden files may look like cut-short writes, but lack the prefix.
  for (const char* nome : {".skarvex-Record.a1B2c3", ".skarvex-Blu.skcom.Zz9yX8",
                           ".skarvex-Record.d4E5f6", "Record", ".Record.a1B2c3", ".Appunti.ab12CD",
                           ".skarvex-x.abcdefg", ".skarvex-.abcdef", "img1.sktemp"}) {
    ASSERT_TRUE(ScriviFileAtomico(cartella / nome, "x"));
    if (std::string(nome) != ".skarvex-Record.d4E5f6")  // one still being written
      std::filesystem::last_write_time(cartella / nome, vecchio);
  }
  EliminaTemporaneiRimasti(cartella.percorso(), std::chrono::minutes(10));
  std::set<std::string> rimasti;
  for (const auto& [nome, byte] : ContenutoCartella(cartella.percorso())) rimasti.insert(nome);
  EXPECT_EQ(rimasti, (std::set<std::string>{".skarvex-Record.d4E5f6", "Record", ".Record.a1B2c3",
                                            ".Appunti.ab12CD", ".skarvex-x.abcdefg",
                                            ".skarvex-.abcdef", "img1.sktemp"}));
}

TEST(ScriviFileAtomico, AFailureAtAnyStepReportsItsOwnCauseAndLeavesTheOldFileAlone) {
  const CartellaTemporanea cartella;
  using Passo = ChiamateProva::Passo;
  const std::filesystem::path file = cartella / "f";
  ChiamateProva prova;
  prova.Registra();
  ASSERT_TRUE(ScriviFileAtomico(file, "vecchio", false, prova));
  const std::vector<Passo> passi = prova.Passi();
  for (size_t i = 0; i < passi.size(); ++i) {
    for (const int codice : {ENOSPC, EIO, EROFS, EINTR}) {
      SCOPED_TRACE(std::string(ChiamateProva::Nome(passi[i])) + " fails with " +
                   std::strerror(codice));
      prova.Registra();
      prova.FallisciChiamata(static_cast<int>(i + 1), codice);
      const Esito esito = ScriviFileAtomico(file, "nuovo", false, prova);
      prova.Smetti();
      // Syncing the folder comes after the rename, and an interrupted write goes on.
      const bool scritto =
          passi[i] == Passo::SincronizzaCartella || (passi[i] == Passo::Scrivi && codice == EINTR);
      EXPECT_EQ(esito.ok(), scritto);
      EXPECT_TRUE(scritto || esito.errore().ends_with(std::strerror(codice))) << esito.errore();
      EXPECT_EQ(ContenutoCartella(cartella.percorso()),
                (std::map<std::string, std::string>{{"f", scritto ? "nuovo" : "vecchio"}}));
      ASSERT_TRUE(ScriviFileAtomico(file, "vecchio"));
    }
  }
}
