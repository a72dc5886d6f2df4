// skarvex-comb: inspect, unpack, pack and check combination files from the command
// line, for skin makers and for checks from outside the game.
#include "codec/CartellaProgramma.h"
#include "codec/Combinazione.h"
#include "codec/DecodificaEsterna.h"
#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/InstallaCombinazione.h"
#include "codec/ProtocolloDecodifica.h"
#include "codec/ScriviNelFile.h"
#include "codec/Vaglio.h"
#include "combinations/Installazione.h"
#include "drawing/Miniatura.h"
#include "tools/Manifesto.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int Successo = 0;
// A file did not read whole, the game would refuse one of its slots, or a file could
// not be used.
constexpr int Fallimento = 1;
constexpr int UsoSbagliato = 2;

std::string MiB(uint64_t byte) {
  return std::to_string(byte / Vaglio::MiB) + " MiB";
}

// The usage text. Its limits are the game's own, filled in where @NAME stands.
std::string Aiuto() {
  std::string testo = R"(usage: skarvex-comb COMMAND ARGUMENTS

  info [--json] FILE        name, author, whether it is protected, every slot
                            (Default, empty, or its size and format, and why the
                            game refuses it if it does), volumes, font; --json
                            prints the same as one JSON object, or
                            {"error": WHY} for a file it cannot read
  unpack [--force] FILE DIR writes DIR/manifest.json and one file per non-empty slot
                            (DIR is created when missing); when DIR already holds
                            any of those names it writes nothing, unless --force
                            is given to replace them
  pack MANIFEST.json OUT    writes the combination a manifest describes
  check FILE                exit 0 when FILE reads whole and the game takes every
                            slot, 1 with one line per reason otherwise
  install [--force] [--program-folder DIR] FILE...
                            checks each FILE as check does and copies it into the
                            program folder (DIR, or the one the game would choose)
                            as NAME.skcom, NAME being the name stored in the file
                            (refused when it could be taken for Default or for
                            another combination there); a different file already
                            there is replaced only with --force, and goes to the
                            trash; an identical one counts as installed; one line
                            per FILE, exit 0 when every FILE was installed
  thumbnail FILE OUT.png SIZE
                            draws the playfield with FILE's pictures (its
                            background, one alien of each row, the cannon and a
                            wall) SIZE pixels wide, @MINIMO to @MASSIMO, into OUT.png
                            itself (a new file, or a regular file of this user);
                            what file managers show for a combination
  --help                    this text

The manifest is a JSON object whose keys are the record's fields: "Nome", "Autore",
"Password" (strings); "Immagini" (14 entries: "Default", "" or a file path);
"Suoni" (16 entries: "" or a file path); "Volumi" (16 integers, hundredths of a
decibel, -10000 silent to 0 full); "FontNome", "FontDimensione", "FontColore"
(strings); "FontGrassetto", "FontCorsivo" (true or false); "FontFile" ("" or a file
path); "FontFileNome" (string). Paths are relative to the manifest's folder and
must stay inside it: no absolute path, no "..", no link that leads out. Text is
stored as Windows-1252: characters it lacks are stored as '?'.

Limits. A combination file, and each file a manifest names, is read only up to
@COMBINAZIONE; a manifest up to @MANIFESTO. The game refuses a slot that is not a kind it
takes or whose header is damaged, a picture of more than @PIXEL pixels or one
that takes the fourteen past @TUTTIPIXEL, a progressive JPEG of more than @SCANSIONI
scans, a JPEG of more than @SEGMENTI APPn and comment segments or @BYTESEGMENTI of
them, a picture its decoder cannot take (a JPEG of 12 bits, lossless or
hierarchical, a BMP or PNG whose header it refuses), an effect that decodes to more
than @EFFETTO or takes the fifteen past @EFFETTI, a MIDI file of more than @MIDI or
one holding more than @TENUTE notes at once (@CANALE on one channel) or striking
more than @ALSECONDO in a second, and a font file of more than @FONT.
A picture within them is then decoded as the game decodes it, in a process of its
own with no access to files or the network: one its decoder refuses, or that
crashes it, takes it past its memory or more than @SLOT s (@TOTALE s for all the
pictures), is refused too. info and check say which slot and why.
)";
  using namespace Vaglio;
  const std::pair<std::string_view, std::string> limiti[] = {
      {"@COMBINAZIONE", MiB(MaxByteCombinazione)},
      {"@MANIFESTO", MiB(MaxByteManifesto)},
      {"@PIXEL", std::to_string(MaxPixelImmagine)},
      {"@TUTTIPIXEL", std::to_string(MaxPixelCombinazione)},
      {"@SCANSIONI", std::to_string(MaxScansioniJpeg)},
      {"@SEGMENTI", std::to_string(MaxSegmentiJpeg)},
      {"@BYTESEGMENTI", MiB(MaxByteSegmentiJpeg)},
      {"@TENUTE", std::to_string(MaxNoteTenute)},
      {"@CANALE", std::to_string(MaxNoteTenuteCanale)},
      {"@ALSECONDO", std::to_string(MaxNoteAlSecondo)},
      {"@EFFETTO", MiB(MaxByteEffetto)},
      {"@EFFETTI", MiB(MaxByteEffetti)},
      {"@MIDI", MiB(MaxByteMidi)},
      {"@FONT", MiB(MaxByteFont)},
      {"@SLOT", std::to_string(ProtocolloDecodifica::SecondiSlot)},
      {"@TOTALE", std::to_string(ProtocolloDecodifica::SecondiTotali)},
      {"@MINIMO", std::to_string(MinLarghezzaMiniatura)},
      {"@MASSIMO", std::to_string(MaxLarghezzaMiniatura)}};
  for (const auto& [segno, valore] : limiti) testo.replace(testo.find(segno), segno.size(), valore);
  return testo;
}

// Text from a file or a manifest, safe to print: control characters could drive the
// terminal, and a line break would split a message.
std::string Stampabile(std::string testo) {
  for (char& c : testo)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return testo;
}

void Avvisa(const std::string& messaggio) {
  std::cerr << "skarvex-comb: " << Stampabile(messaggio) << "\n";
}

int Fallisci(const std::string& messaggio, int codice = Fallimento) {
  Avvisa(messaggio);
  return codice;
}

std::string Descrivi(const std::string& slot) {
  if (slot.empty()) return "empty";
  return std::to_string(slot.size()) + " bytes, " +
         std::string(NomeFormato(RiconosciFormato(slot)));
}

// ", refused: <why>" after a slot the game refuses.
std::string Rifiutato(const std::optional<Vaglio::Rifiuto>& rifiuto) {
  return rifiuto ? ", refused: " + Vaglio::Descrivi(*rifiuto) : std::string();
}
std::string Rifiutato(const std::optional<DecodificaEsterna::Motivo>& motivo) {
  return motivo ? ", refused: " + DecodificaEsterna::Descrivi(*motivo) : std::string();
}

std::string SlotImmagine(int n) {
  return "Immagini(" + std::to_string(n) + ") " + NomiImmagini[n];
}
std::string SlotSuono(int n) {
  return "Suoni(" + std::to_string(n) + ") " + NomiSuoni[n];
}

int Info(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  const TipoCombinazione& c = comb.valore();
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(c);
  const auto decodifica = DecodificaEsterna::Verifica(c, esame);
  std::cout << "Nome: " << Stampabile(c.Nome) << "\n"
            << "Autore: " << Stampabile(c.Autore) << "\n"
            << "Protected: " << (c.Password.empty() ? "no" : "yes, with a password") << "\n";
  for (int n = 0; n < NumeroImmagini; ++n)
    std::cout << SlotImmagine(n) << ": "
              << (c.Immagini[n] == ImmagineDefault ? std::string("Default")
                                                   : Descrivi(c.Immagini[n]))
              << Rifiutato(esame.immagini[n].rifiuto) << Rifiutato(decodifica[n]) << "\n";
  for (int n = 0; n < NumeroSuoni; ++n)
    std::cout << SlotSuono(n) << ": " << Descrivi(c.Suoni[n]) << ", volume " << c.Volumi[n]
              << Rifiutato(esame.suoni[n]) << "\n";
  std::cout << "FontNome: " << Stampabile(c.FontNome) << "\n"
            << "FontDimensione: " << Stampabile(c.FontDimensione) << "\n"
            << "FontColore: " << Stampabile(c.FontColore) << "\n"
            << "FontGrassetto: " << (c.FontGrassetto ? "true" : "false") << "\n"
            << "FontCorsivo: " << (c.FontCorsivo ? "true" : "false") << "\n"
            << "FontFile: " << Descrivi(c.FontFile) << Rifiutato(esame.font) << "\n"
            << "FontFileNome: " << Stampabile(c.FontFileNome) << "\n";
  return Successo;
}

// What Info prints, as one JSON object: a slot is {"bytes", "format"} or Default or
// empty, with "refused" when the game refuses it.
QJsonObject SlotJson(const std::string& slot, const std::optional<Vaglio::Rifiuto>& rifiuto) {
  QJsonObject o;
  if (slot.empty()) {
    o["content"] = "empty";
  } else {
    o["content"] = "data";
    o["bytes"] = static_cast<qint64>(slot.size());
    o["format"] = QString::fromStdString(std::string(NomeFormato(RiconosciFormato(slot))));
  }
  if (rifiuto) o["refused"] = QString::fromStdString(Vaglio::Descrivi(*rifiuto));
  return o;
}

void ScriviJson(const QJsonObject& oggetto) {
  const QByteArray json = QJsonDocument(oggetto).toJson(QJsonDocument::Indented);
  std::cout.write(json.constData(), json.size());
}

int InfoJson(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) {
    // A script reading the output learns why as well.
    ScriviJson({{"error", QString::fromStdString(comb.errore())}});
    return Fallisci(comb.errore());
  }
  const TipoCombinazione& c = comb.valore();
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(c);
  const auto decodifica = DecodificaEsterna::Verifica(c, esame);
  const auto testo = [](const std::string& utf8) { return QString::fromStdString(utf8); };
  QJsonArray immagini, suoni;
  for (int n = 0; n < NumeroImmagini; ++n) {
    QJsonObject o;
    if (c.Immagini[n] == ImmagineDefault) {
      o["content"] = "Default";
      if (esame.immagini[n].rifiuto)
        o["refused"] = testo(Vaglio::Descrivi(*esame.immagini[n].rifiuto));
    } else {
      o = SlotJson(c.Immagini[n], esame.immagini[n].rifiuto);
      if (decodifica[n]) o["refused"] = testo(DecodificaEsterna::Descrivi(*decodifica[n]));
    }
    o["slot"] = n;
    o["name"] = testo(NomiImmagini[n]);
    immagini.append(o);
  }
  for (int n = 0; n < NumeroSuoni; ++n) {
    QJsonObject o = SlotJson(c.Suoni[n], esame.suoni[n]);
    o["slot"] = n;
    o["name"] = testo(NomiSuoni[n]);
    o["volume"] = c.Volumi[n];
    suoni.append(o);
  }
  const QJsonObject radice{{"Nome", testo(c.Nome)},
                           {"Autore", testo(c.Autore)},
                           {"Protected", !c.Password.empty()},
                           {"Immagini", immagini},
                           {"Suoni", suoni},
                           {"FontNome", testo(c.FontNome)},
                           {"FontDimensione", testo(c.FontDimensione)},
                           {"FontColore", testo(c.FontColore)},
                           {"FontGrassetto", c.FontGrassetto},
                           {"FontCorsivo", c.FontCorsivo},
                           {"FontFile", SlotJson(c.FontFile, esame.font)},
                           {"FontFileNome", testo(c.FontFileNome)}};
  ScriviJson(radice);
  return Successo;
}

// Unpacking into a folder that already holds some of the names would mix two skins,
// or overwrite a file someone put there (even through a link) with bytes a stranger
// chose: so it replaces nothing unless `sostituisci`, and then it replaces the names
// themselves, never what a link points to.
int Unpack(const fs::path& file, const fs::path& cartella, bool sostituisci) {
  auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione);
  if (!byte) return Fallisci(byte.errore());
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Fallisci(file.string() + ": " + comb.errore());

  const Spacchettato parti = Spacchetta(comb.valore());
  std::vector<FileSpacchettato> uscite = parti.file;
  uscite.push_back({NomeManifesto, &parti.manifesto});
  std::error_code ec;
  if (!sostituisci)
    for (const FileSpacchettato& uscita : uscite) {
      const fs::path percorso = cartella / uscita.nome;
      const fs::file_status stato = fs::symlink_status(percorso, ec);
      if (stato.type() == fs::file_type::not_found) continue;
      if (ec)
        return Fallisci("cannot look for " + percorso.string() + ": " + ec.message() +
                        "; nothing was written");
      return Fallisci(percorso.string() +
                      " already exists; nothing was written (use --force to replace it)");
    }

  fs::create_directories(cartella, ec);
  if (ec) return Fallisci("cannot create " + cartella.string() + ": " + ec.message());
  for (const FileSpacchettato& uscita : uscite) {
    const fs::path percorso = cartella / uscita.nome;
    // Not forced, a name that appeared since the look above still stays as it was.
    if (auto esito = sostituisci ? ScriviFileAtomico(percorso, *uscita.byte)
                                 : CreaFileAtomico(percorso, *uscita.byte);
        !esito)
      return Fallisci(esito.errore());
  }

  // Packing writes the canonical form; say so when this file differs from it.
  const std::string canonico = CodificaCombinazione(comb.valore());
  const std::string& originale = byte.valore();
  if (originale.size() > canonico.size() && originale.compare(0, canonico.size(), canonico) == 0)
    std::cerr << "skarvex-comb: note: " << file.string() << " has "
              << originale.size() - canonico.size()
              << " bytes after the record; pack will not write them\n";
  else if (originale != canonico)
    std::cerr << "skarvex-comb: note: " << file.string()
              << " is not in the form the game writes (a long length prefix for a short "
                 "string, an unusual boolean or a character Windows-1252 leaves undefined); "
                 "pack will write that form\n";
  return Successo;
}

int Pack(const fs::path& manifesto, const fs::path& uscita) {
  auto testo = LeggiFile(manifesto, Vaglio::MaxByteManifesto);
  if (!testo) return Fallisci(testo.errore());
  auto comb = Impacchetta(testo.valore(), manifesto.parent_path());
  if (!comb) return Fallisci(manifesto.string() + ": " + comb.errore());
  if (auto esito = ScriviFileCombinazione(uscita, comb.valore()); !esito)
    return Fallisci(esito.errore());
  return Successo;
}

// The file must read whole, and every slot must pass the gate the game holds it to.
int Check(const fs::path& file) {
  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  const std::vector<std::string> rifiuti = RifiutiCombinazione(comb.valore());
  for (const std::string& rifiuto : rifiuti) Avvisa(file.string() + ": " + rifiuto);
  if (!rifiuti.empty()) return Fallimento;
  std::cout << file.string() << ": reads whole\n";
  return Successo;
}

// One file into the program folder: the line that says where it went, or why not. A
// different file in the way is replaced only when `sostituisci`, and goes to the trash.
Risultato<std::string> RigaInstallazione(const fs::path& file, const fs::path& cartella,
                                         bool sostituisci) {
  auto esame = EsaminaRicevuta(file, cartella);
  if (const auto* no = std::get_if<Impedimento>(&esame))
    return Errore{"not installed: " + no->perche};
  const Candidata& candidata = std::get<Candidata>(esame);
  if (candidata.posto == Candidata::Posto::Occupata && !sostituisci)
    return Errore{"not installed: a different " + candidata.percorso.string() +
                  " is already there (use --force to replace it; it then goes to the trash)"};
  const auto fatto = Installa(candidata, SceltaConflitto::Sostituisci);
  if (const auto* no = std::get_if<Impedimento>(&fatto))
    return Errore{"not installed: " + no->perche};
  const Installata& fatta = std::get<Installata>(fatto);
  const std::string dove =
      fatta.percorso.string() +
      (file.filename() == fatta.percorso.filename() ? std::string() : ", the name stored in it");
  if (!fatta.scritta) return "already installed as " + dove;
  if (fatta.sostituita) return "installed, replacing " + dove + " (the old one is in the trash)";
  return "installed as " + dove;
}

// Without a folder given, the one the game would choose for this installation: the
// tool sits beside the game's executable.
int Install(const std::vector<std::string>& file, const std::optional<fs::path>& opzione,
            bool sostituisci) {
  const auto scelta =
      ScegliCartellaProgramma(opzione, CartellaEseguibile(), Ambiente::DelProcesso());
  if (!scelta) return Fallisci(scelta.errore(), UsoSbagliato);
  const auto cartella = PreparaCartella(scelta.valore());
  if (!cartella) return Fallisci(cartella.errore(), UsoSbagliato);
  int codice = Successo;
  for (const std::string& f : file) {
    const auto riga = RigaInstallazione(f, cartella.valore(), sostituisci);
    if (riga) {
      std::cout << Stampabile(f + ": " + riga.valore()) << "\n";
    } else {
      Avvisa(f + ": " + riga.errore());
      codice = Fallimento;
    }
  }
  return codice;
}

// The offscreen platform wants a runtime folder and makes one under the temporary folder
// when the desktop gave it none, as a sandboxed thumbnailer is run: then the drawing
// gets a folder of its own, removed with whatever is in it when the drawing is done.
class RuntimePropria {
 public:
  RuntimePropria() {
    struct stat st {};
    const char* data = std::getenv("XDG_RUNTIME_DIR");
    if (data && data[0] == '/' && ::stat(data, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700)
      return;
    std::string modello = (fs::temp_directory_path(m_ec) / "skarvex-comb-XXXXXX").string();
    if (m_ec || ::mkdtemp(modello.data()) == nullptr) return;
    m_cartella = modello;
    ::setenv("XDG_RUNTIME_DIR", modello.c_str(), 1);
  }
  ~RuntimePropria() {
    if (m_cartella.empty()) return;
    fs::remove_all(m_cartella, m_ec);
    ::unsetenv("XDG_RUNTIME_DIR");
  }
  RuntimePropria(const RuntimePropria&) = delete;
  RuntimePropria& operator=(const RuntimePropria&) = delete;

 private:
  fs::path m_cartella;
  std::error_code m_ec;
};

// The preview a file manager asks for. It draws off screen whatever the desktop is: a
// file manager runs its thumbnailers without a display, often in a sandbox.
int Thumbnail(const fs::path& file, const fs::path& uscita, const std::string& dimensione) {
  int larghezza = 0;
  const char* fine = dimensione.data() + dimensione.size();
  const auto [dove, errore] = std::from_chars(dimensione.data(), fine, larghezza);
  if (dimensione.empty() || dove != fine || dimensione.front() == '-' ||
      (errore != std::errc() && errore != std::errc::result_out_of_range) ||
      (errore == std::errc() && larghezza < 1))
    return Fallisci("SIZE must be a width in pixels, not \"" + dimensione + "\"", UsoSbagliato);
  if (errore == std::errc::result_out_of_range) larghezza = MaxLarghezzaMiniatura;

  auto comb = LeggiFileCombinazione(file);
  if (!comb) return Fallisci(comb.errore());
  // Qt's notes on the way (a decoder's complaint about a picture it still reads) would
  // only clutter the file manager's log: what went wrong is said below, in one line.
  qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg) Avvisa(testo.toStdString());
  });
  QByteArray png;
  {
    const RuntimePropria runtime;
    int argc = 3;
    char nome[] = "skarvex-comb", opzione[] = "-platform", piattaforma[] = "offscreen";
    char* argv[] = {nome, opzione, piattaforma, nullptr};
    const QGuiApplication applicazione(argc, argv);
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!DisegnaMiniatura(comb.valore(), larghezza).save(&buffer, "png"))
      return Fallisci(uscita.string() + ": the preview could not be made into a PNG");
  }
  // Into the file the file manager named, which it may read back through its own handle;
  // never through a link, never into a device or someone else's file.
  if (auto esito = ScriviNelFile(uscita, std::string_view(png.constData(), png.size())); !esito)
    return Fallisci(esito.errore());
  return Successo;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arg;
  bool forza = false, json = false;
  std::optional<fs::path> cartella;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << Aiuto();
      return Successo;
    }
    if (a == "--force") {
      forza = true;
    } else if (a == "--json") {
      json = true;
    } else if (a == "--program-folder" || a.starts_with("--program-folder=")) {
      const std::string valore =
          a == "--program-folder" ? (i + 1 < argc ? argv[++i] : "") : a.substr(a.find('=') + 1);
      if (valore.empty()) return Fallisci("--program-folder needs a DIR", UsoSbagliato);
      cartella = valore;
    } else if (a.starts_with("--")) {
      return Fallisci("unknown option \"" + a + "\" (try --help)", UsoSbagliato);
    } else {
      arg.push_back(a);
    }
  }
  if (arg.empty()) return Fallisci("no command given (try --help)", UsoSbagliato);

  // The options a command takes; any other is a mistake, not something to ignore.
  enum Opzione { Forza = 1, Json = 2, Cartella = 4 };
  struct Comando {
    const char* nome;
    size_t argomenti;  // 0: one or more
    int opzioni;
    const char* uso;
  };
  constexpr std::array<Comando, 6> comandi = {
      {{"info", 1, Json, "info [--json] FILE"},
       {"unpack", 2, Forza, "unpack [--force] FILE DIR"},
       {"pack", 2, 0, "pack MANIFEST.json OUT.skcom"},
       {"check", 1, 0, "check FILE"},
       {"install", 0, Forza | Cartella, "install [--force] [--program-folder DIR] FILE..."},
       {"thumbnail", 3, 0, "thumbnail FILE OUT.png SIZE"}}};
  const std::string& nome = arg[0];
  const int date = (forza ? Forza : 0) | (json ? Json : 0) | (cartella ? Cartella : 0);
  for (const Comando& c : comandi) {
    if (nome != c.nome) continue;
    const size_t argomenti = arg.size() - 1;
    if ((c.argomenti ? argomenti != c.argomenti : argomenti == 0) || (date & ~c.opzioni))
      return Fallisci(std::string("usage: skarvex-comb ") + c.uso + " (try --help)", UsoSbagliato);
    if (nome == "info") return json ? InfoJson(arg[1]) : Info(arg[1]);
    if (nome == "unpack") return Unpack(arg[1], arg[2], forza);
    if (nome == "pack") return Pack(arg[1], arg[2]);
    if (nome == "install") return Install({arg.begin() + 1, arg.end()}, cartella, forza);
    if (nome == "thumbnail") return Thumbnail(arg[1], arg[2], arg[3]);
    return Check(arg[1]);
  }
  return Fallisci("unknown command \"" + nome + "\" (try --help)", UsoSbagliato);
}
