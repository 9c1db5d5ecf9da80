#include "ContentRecorder.h"
#include "support/ScratchFolder.h"

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using tqk::DocumentStore;
using tqk::SerializedContentElement;

//! A file in a folder of this test program's own, removed with it when the program ends.
std::string TempPath(const std::string& name)
{
  static const tqsupport::ScratchFolder scratch("tqk-store-test");
  return scratch.File(name);
}

void WriteText(const std::string& path, const std::string& text)
{
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

float FloatFromBits(std::uint32_t bits)
{
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double DoubleFromBits(std::uint64_t bits)
{
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

//! Every value type, floats that decimal text easily gets wrong, names that XML easily mangles,
//! repeated keys, children three deep, a property after a child, and an empty child.
std::unique_ptr<SerializedContentElement> MakeRichTree()
{
  auto root = std::make_unique<SerializedContentElement>(du::Symbol("document <&\">"));
  root->AddProperty(du::Symbol("visible"), true);
  root->AddProperty(du::Symbol("count"), std::numeric_limits<std::int32_t>::min());
  root->AddProperty(du::Symbol("count"), std::int32_t(-1));
  root->AddProperty(du::Symbol("item"), std::numeric_limits<std::uint32_t>::max());
  root->AddProperty(du::Symbol("flags"), std::uint16_t(65535));
  root->AddProperty(du::Symbol("id"), std::numeric_limits<std::uint64_t>::max());
  root->AddProperty(du::Symbol("width"), 0.1f);
  root->AddProperty(du::Symbol("width"), -0.0f);
  root->AddProperty(du::Symbol("width"), std::numeric_limits<float>::denorm_min());
  root->AddProperty(du::Symbol("width"), -std::numeric_limits<float>::infinity());
  root->AddProperty(du::Symbol("width"), FloatFromBits(0xFFC01234u)); // a NaN with sign and payload
  root->AddProperty(du::Symbol("text"), du::Symbol(""));
  root->AddProperty(du::Symbol("key with \n line break"), du::Symbol("v"));
  root->AddProperty(du::Symbol("position"), dg::DPoint3D(1.0 / 3.0, -1e-310, 1e308));
  root->AddProperty(du::Symbol("nan position"),
                    dg::DPoint3D(DoubleFromBits(0x7FF0000000000001ull), 0.0, -0.0));
  root->AddProperty(du::Symbol("color"), dg::Color(0.2f, 0.4f, 0.6f, 0.5f));
  root->AddProperty(du::Symbol("csys"), dg::Quat(0.0, 0.7071067811865476, 0.0, 0.7071067811865475));

  SerializedContentElement& level1 = root->StartContent(du::Symbol("leader"));
  level1.AddProperty(du::Symbol("anchor"), dg::DPoint3D(1, 2, 3));
  SerializedContentElement& level2 = level1.StartContent(du::Symbol("label"));
  level2.AddProperty(du::Symbol("group"), du::Symbol("g"));
  SerializedContentElement& level3 = level2.StartContent(du::Symbol("useProperty"));
  level3.AddProperty(du::Symbol("propName"), du::Symbol("p"));
  level3.AddProperty(du::Symbol("propName"), du::Symbol("p"));
  level3.EndContent();
  level2.AddProperty(du::Symbol("group"), du::Symbol("h")); // after a child
  level2.EndContent();
  level1.StartContent(du::Symbol("empty")).EndContent();
  level1.EndContent();
  root->StartContent(du::Symbol("leader")).AddProperty(du::Symbol("anchor"), dg::DPoint3D(4, 5, 6));
  root->AddProperty(du::Symbol("tail"), false);
  return root;
}

TEST(DocumentStore, RoundTripKeepsEveryTypeValueAndOrder)
{
  const std::unique_ptr<SerializedContentElement> written = MakeRichTree();
  const std::string path = TempPath("rich.xml");
  std::string error;
  ASSERT_TRUE(DocumentStore::Write(*written, path, error)) << error;

  const std::unique_ptr<SerializedContentElement> read = DocumentStore::Read(path, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->GetName(), written->GetName());
  const std::vector<std::string> expected = RecordWalk(*written);
  EXPECT_EQ(expected.size(), 39u);
  EXPECT_EQ(RecordWalk(*read), expected);
  std::remove(path.c_str());
}

//! A document of one text of the given length, which takes one byte of the file per character.
std::unique_ptr<SerializedContentElement> DocumentOfText(std::size_t length)
{
  auto root = std::make_unique<SerializedContentElement>(du::Symbol("document"));
  root->AddProperty(du::Symbol("displaytext"), du::Symbol(std::string(length, 'x')));
  return root;
}

//! Names that the folder holds, so that a test sees a temporary file left behind.
std::vector<std::string> FolderNames(const std::string& folder)
{
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DocumentStore, EveryTextLoadsBackAsSavedOrIsRefusedOnSaveKeepingTheOldFile)
{
  // Controls, line breaks, the edges of each UTF-8 length, of C1 and of the surrogates.
  const std::vector<std::string> loadBack = {
      "\x01 \x1f \x7f tab\t cr\r lf\n crlf\r\n  spaces  quotes \"'<&>]]>",
      "\xc2\x80 \xc2\x85 \xc2\x9f \xc2\xa0 \xe2\x80\xa8 \xe2\x80\xa9",
      "\xdf\xbf \xe0\xa0\x80 \xed\x9f\xbf \xee\x80\x80 \xef\xb7\x90 \xef\xbf\xbd",
      "\xf0\x90\x80\x80 \xf4\x8f\xbf\xbf"};
  std::vector<std::string> refusedOnSave = {
      "\xef\xbf\xbe", "\xef\xbf\xbf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80", "\xc0\xaf",
      "\xe0\x80\xaf", "\x80",         "\xc3"};
  refusedOnSave.push_back(std::string("nul \0", 5));
  const tqsupport::ScratchFolder folder("tqk-store-texts");
  const std::string path = folder.File("texts.xml");
  std::string error;
  SerializedContentElement earlier(du::Symbol("kept"));
  ASSERT_TRUE(DocumentStore::Write(earlier, path, error)) << error;
  const std::string before = ReadText(path);
  for (const bool saves : {true, false})
    for (const std::string& tricky : saves ? loadBack : refusedOnSave) {
      // Texts go where a save puts them: the document's name, keys, values and child names.
      const du::Symbol text("<" + tricky + ">");
      SerializedContentElement tree(text);
      tree.AddProperty(text, text);
      tree.StartContent(text).AddProperty(du::Symbol("after"), true);
      error.clear();
      if (!saves) {
        EXPECT_FALSE(DocumentStore::Write(tree, path, error)) << tricky;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadText(path), before) << tricky;
        continue;
      }
      ASSERT_TRUE(DocumentStore::Write(tree, path, error)) << tricky << error;
      const std::string saved = ReadText(path);
      const std::unique_ptr<SerializedContentElement> read = DocumentStore::Read(path, error);
      ASSERT_TRUE(read) << tricky << error;
      EXPECT_EQ(read->GetName(), text);
      EXPECT_EQ(RecordWalk(*read), RecordWalk(tree)) << tricky;
      ASSERT_TRUE(DocumentStore::Write(*read, path, error)) << error;
      EXPECT_EQ(ReadText(path), saved) << tricky;
      ASSERT_TRUE(DocumentStore::Write(earlier, path, error)) << error;
    }
  EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"texts.xml"});
}

//! Runs the check in a child process, so that what it changes of the process (its limits, what
//! the system refuses it) ends with it; true when the check held.
bool HoldsInChild(const std::function<bool()>& check)
{
  const pid_t child = ::fork();
  if (child == 0)
    ::_exit(check() ? 0 : 1);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

//! Has the system refuse this process every change of a file's mode, as some file systems do.
bool RefuseModeChanges()
{
  sock_filter filter[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                          BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fchmod, 1, 0),
                          BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fchmodat, 0, 1),
                          BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
                          BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
  const sock_fprog program = {sizeof filter / sizeof filter[0], filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

TEST(DocumentStore, ASaveReplacesTheFileTheNameLeadsToKeepingItsModeOwnerAndLinks)
{
  const tqsupport::ScratchFolder folder("tqk-store-links");
  const std::string target = folder.File("target.xml");
  SerializedContentElement first(du::Symbol("first"));
  SerializedContentElement second(du::Symbol("second"));
  std::string error;
  ASSERT_TRUE(DocumentStore::Write(first, target, error)) << error;
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const bool mayGiveAway = ::geteuid() == 0;
  if (mayGiveAway)
    ASSERT_EQ(::chown(target.c_str(), 4321, 8765), 0);
  ASSERT_EQ(::symlink("target.xml", folder.File("link.xml").c_str()), 0);
  ASSERT_EQ(::link(target.c_str(), folder.File("hard.xml").c_str()), 0);

  ASSERT_TRUE(DocumentStore::Write(second, folder.File("link.xml"), error)) << error;
  struct stat after;
  ASSERT_EQ(::lstat(folder.File("link.xml").c_str(), &after), 0);
  EXPECT_TRUE(S_ISLNK(after.st_mode)) << "the link stays a link";
  ASSERT_EQ(::stat(target.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  if (mayGiveAway)
    EXPECT_EQ(std::make_pair(after.st_uid, after.st_gid), std::make_pair(uid_t(4321), gid_t(8765)));
  ASSERT_TRUE(DocumentStore::Read(target, error)) << error;
  EXPECT_EQ(DocumentStore::Read(target, error)->GetName(), second.GetName());
  // Replacing the file cuts a hard link: the other name keeps the earlier document, whole.
  EXPECT_EQ(DocumentStore::Read(folder.File("hard.xml"), error)->GetName(), first.GetName());

  // No one whom the earlier document kept out may open the new one while it is written: where the
  // system refuses the store a change of mode, the document keeps the mode it was written with.
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  EXPECT_TRUE(HoldsInChild([&] {
    ::umask(0);
    return RefuseModeChanges() && DocumentStore::Write(first, target, error);
  }));
  ASSERT_EQ(::stat(target.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 0177, 0u) << std::oct << after.st_mode;

  // A link to a file not made yet makes it; a new file gets the mode the process gives new files.
  ASSERT_EQ(::symlink(folder.File("new.xml").c_str(), folder.File("dangling.xml").c_str()), 0);
  const mode_t umask = ::umask(027);
  EXPECT_TRUE(DocumentStore::Write(second, folder.File("dangling.xml"), error)) << error;
  ::umask(umask);
  ASSERT_EQ(::lstat(folder.File("new.xml").c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);

  // The longest name a folder takes is saved under that name.
  const std::string longest = std::string(255 - 4, 'n') + ".xml";
  ASSERT_TRUE(DocumentStore::Write(second, folder.File(longest), error)) << error;
  EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"dangling.xml", "hard.xml", "link.xml",
                                                                  "new.xml", longest, "target.xml"}));
}

TEST(DocumentStore, ASaveThatFailsIsReportedAndKeepsTheEarlierFile)
{
  const tqsupport::ScratchFolder folder("tqk-store-failures");
  const std::string path = folder.File("kept.xml");
  std::string error;
  ASSERT_TRUE(DocumentStore::Write(*DocumentOfText(10), path, error)) << error;
  const std::string before = ReadText(path);
  // A child that may write files of at most 4 KiB, as on a full disk, saves 64 KiB.
  EXPECT_TRUE(HoldsInChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit small = {4096, 4096};
    std::string childError;
    return ::setrlimit(RLIMIT_FSIZE, &small) == 0 &&
           !DocumentStore::Write(*DocumentOfText(1 << 16), path, childError) &&
           childError.find(std::strerror(EFBIG)) != std::string::npos;
  })) << "the failed write is reported";

  ASSERT_EQ(::mkfifo(folder.File("pipe.xml").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("loop.xml", folder.File("loop.xml").c_str()), 0);
  // One link more than the system follows in a name, ending at the document.
  const std::string links = folder.File("links/");
  std::filesystem::create_directory(links);
  for (int link = 0; link <= 40; ++link)
    ASSERT_EQ(::symlink(link ? std::to_string(link - 1).c_str() : "../kept.xml",
                        (links + std::to_string(link)).c_str()),
              0);
  for (const char* refused : {"pipe.xml", "loop.xml", "links/40"}) {
    error.clear();
    EXPECT_FALSE(DocumentStore::Write(*DocumentOfText(11), folder.File(refused), error)) << refused;
    EXPECT_FALSE(error.empty());
  }
  // Its owner made it read-only: refused, though the folder would let it be replaced.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(DocumentStore::Write(*DocumentOfText(11), path, error));
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  // So is a document of another user that this one may not write, where the test may be another user.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    EXPECT_TRUE(HoldsInChild([&] {
      return ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
             !DocumentStore::Write(*DocumentOfText(11), path, error) &&
             error.find(std::strerror(EACCES)) != std::string::npos;
    }));
  }
  EXPECT_EQ(ReadText(path), before);
  EXPECT_EQ(FolderNames(folder.Path()),
            (std::vector<std::string>{"kept.xml", "links", "loop.xml", "pipe.xml"}));
  EXPECT_TRUE(DocumentStore::Write(*DocumentOfText(20), links + "39", error)) << error;
  EXPECT_NE(ReadText(path), before) << "the system follows 40 links";
}

const char* const VALID_HEAD =
    "<?xml version=\"1.1\" encoding=\"UTF-8\"?>\n<content version=\"1\" n=\"doc\">\n";

TEST(DocumentStore, RefusesMalformedAndHostileFilesWithoutPartialTree)
{
  const std::string head = VALID_HEAD;
  const std::string goodProperty = "  <p k=\"a\" t=\"int\" v=\"1\"/>\n";
  const std::string nested = [] {
    std::string text;
    for (unsigned i = 0; i <= DocumentStore::MAX_DEPTH; ++i)
      text += "<e n=\"x\">";
    for (unsigned i = 0; i <= DocumentStore::MAX_DEPTH; ++i)
      text += "</e>";
    return text;
  }();
  const struct
  {
    const char* what;
    std::string text;
  } cases[] = {
      {"external entity",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE content [<!ENTITY x SYSTEM \"file:///etc/hostname\">]>\n"
       "<content version=\"1\" n=\"\"><p k=\"a\" t=\"symbol\" v=\"&x;\"/></content>\n"},
      {"external DTD",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE content SYSTEM \"http://127.0.0.1:9/content.dtd\">\n"
       "<content version=\"1\" n=\"\"/>\n"},
      {"entity expansion",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE content [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
       "\"&a;&a;&a;&a;&a;&a;&a;&a;\">"
       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">]>\n"
       "<content version=\"1\" n=\"\"><p k=\"a\" t=\"symbol\" v=\"&d;&d;&d;&d;&d;&d;&d;&d;\"/></content>\n"},
      {"undeclared entity", head + goodProperty + "  <p k=\"a\" t=\"symbol\" v=\"&x;\"/>\n</content>\n"},
      {"truncated",
       head + goodProperty + "  <p k=\"b\" t=\"int\" v=\"2\"/>\n  <e n=\"child\">\n    <p k=\"c\""},
      {"no end of root", head + goodProperty},
      {"unknown type tag", head + goodProperty + "  <p k=\"b\" t=\"double\" v=\"1\"/>\n</content>\n"},
      {"value of another type", head + goodProperty + "  <p k=\"b\" t=\"int\" v=\"1.5\"/>\n</content>\n"},
      {"value out of range", head + goodProperty + "  <p k=\"b\" t=\"ushort\" v=\"65536\"/>\n</content>\n"},
      {"negative unsigned", head + goodProperty + "  <p k=\"b\" t=\"uint64\" v=\"-1\"/>\n</content>\n"},
      {"too few coordinates", head + goodProperty + "  <p k=\"b\" t=\"point\" v=\"1 2\"/>\n</content>\n"},
      {"too many coordinates",
       head + goodProperty + "  <p k=\"b\" t=\"point\" v=\"1 2 3 4\"/>\n</content>\n"},
      {"bool spelled otherwise", head + goodProperty + "  <p k=\"b\" t=\"bool\" v=\"1\"/>\n</content>\n"},
      {"NaN bits of a number",
       head + goodProperty + "  <p k=\"b\" t=\"float\" v=\"nan:3f800000\"/>\n</content>\n"},
      {"missing value", head + goodProperty + "  <p k=\"b\" t=\"int\"/>\n</content>\n"},
      {"extra attribute", head + goodProperty + "  <p k=\"b\" t=\"int\" v=\"1\" x=\"\"/>\n</content>\n"},
      {"unknown element", head + goodProperty + "  <q/>\n</content>\n"},
      {"element inside a property", head + "  <p k=\"b\" t=\"int\" v=\"1\"><e n=\"x\"/></p>\n</content>\n"},
      {"text", head + goodProperty + "  loose text\n</content>\n"},
      {"other root", "<?xml version=\"1.0\"?>\n<document n=\"\"/>\n"},
      {"other version", "<?xml version=\"1.0\"?>\n<content version=\"2\" n=\"\"/>\n"},
      {"nested too deep", head + nested + "</content>\n"},
      {"empty file", ""},
  };
  const std::string path = TempPath("hostile.xml");
  for (const auto& hostile : cases) {
    WriteText(path, hostile.text);
    std::string error;
    EXPECT_EQ(DocumentStore::Read(path, error), nullptr) << hostile.what;
    EXPECT_FALSE(error.empty()) << hostile.what;
  }
  std::remove(path.c_str());

  std::string error;
  EXPECT_EQ(DocumentStore::Read(TempPath("does-not-exist.xml"), error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST(DocumentStore, ReadsTheDeepestNestingItWrites)
{
  SerializedContentElement root;
  SerializedContentElement* element = &root;
  for (unsigned i = 0; i < DocumentStore::MAX_DEPTH; ++i)
    element = &element->StartContent(du::Symbol("level"));
  element->AddProperty(du::Symbol("bottom"), true);
  const std::string path = TempPath("deep.xml");
  std::string error;
  ASSERT_TRUE(DocumentStore::Write(root, path, error)) << error;
  const std::unique_ptr<SerializedContentElement> read = DocumentStore::Read(path, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(RecordWalk(*read), RecordWalk(root));

  element->StartContent(du::Symbol("one too many"));
  EXPECT_FALSE(DocumentStore::Write(root, path, error)) << "a file the store could not read back";
  std::remove(path.c_str());
}

TEST(DocumentStore, ValuesOfTreesReadAndFreedDoNotStayInMemory)
{
  const std::string path = TempPath("unique-values.xml");
  const std::size_t before = du::Symbol::CountStoredTexts();
  for (int round = 0; round < 5; ++round) {
    {
      SerializedContentElement root(du::Symbol("values-" + std::to_string(round)));
      root.AddProperty(du::Symbol("big-" + std::to_string(round)),
                       du::Symbol(std::string(1 << 20, char('a' + round))));
      std::string error;
      ASSERT_TRUE(DocumentStore::Write(root, path, error)) << error;
    }
    std::string error;
    EXPECT_TRUE(DocumentStore::Read(path, error)) << error;
    EXPECT_EQ(du::Symbol::CountStoredTexts(), before);
  }
  std::remove(path.c_str());
}

TEST(DocumentStore, TheLargestFileThatSavesLoadsAndOneByteMoreIsRefusedOnSave)
{
  const std::string path = TempPath("limit.xml");
  std::string error;
  ASSERT_TRUE(DocumentStore::Write(*DocumentOfText(0), path, error)) << error;
  const std::size_t frame = ReadText(path).size();
  // A text of this length is where the parser's buffers, growing by doubling, hold the most for
  // each byte of the file.
  const std::size_t textLength = 8400000;
  const std::size_t limit = frame + textLength;

  ASSERT_TRUE(DocumentStore::Write(*DocumentOfText(textLength), path, error, limit)) << error;
  const std::string largest = ReadText(path);
  ASSERT_EQ(largest.size(), limit);
  const std::unique_ptr<SerializedContentElement> read = DocumentStore::Read(path, error, limit);
  ASSERT_TRUE(read) << error;
  ASSERT_EQ(read->GetEntries().size(), 1u);
  EXPECT_EQ(std::get<du::Symbol>(read->GetEntries()[0].value).GetText().size(), textLength);

  error.clear();
  EXPECT_FALSE(DocumentStore::Write(*DocumentOfText(textLength + 1), path, error, limit));
  EXPECT_NE(error.find(std::to_string(limit)), std::string::npos) << error;
  EXPECT_TRUE(ReadText(path) == largest) << "the earlier file is left as it was";
  std::remove(path.c_str());
}

} // namespace
