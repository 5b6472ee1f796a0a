#include "events/field_signs.h"

#include "actors/actor_table.h"
#include "events/event_script.h"
#include "world/save_block.h"

namespace {

// The speakers: the heroine, the insect companion (as she calls it here) and the inn's attendant.
constexpr const char* kTovia = "トヴィア";
constexpr const char* kInsect = "汚い虫";
constexpr const char* kAttendant = "係員";

// the town hall
constexpr SignLine k284Lines[] = {
    {kTovia, "「役場・・・最近アルバイトの公募がすくない・・・・景気悪いのかな・・・」"},
};
// the church
constexpr SignLine k302Lines[] = {
    {kTovia, "「教会というか公民館みたいに集会場として使われている建物。」"},
};
// the import shop
constexpr SignLine k310Lines[] = {
    {kTovia, "「輸入雑貨を扱っているお店だけど最近あんまり開いてない・・・・」"},
};
// the teacher's shelves of physics books
constexpr SignLine k324Lines[] = {
    {kTovia, "「量子力学、量子テレポーテーション、１１次元＋時間次元世界の定義・・・・なんのこっちゃ？」"},
    {kInsect, "「専門書だね。ものすごく難しい理科と算数の本だよ。」"},
    {kTovia, "「アインシュタイン、シュレディンガー・・・シュレディンガーの猫って４コマ漫画なら知ってる！」"},
};
// the teacher's desk
constexpr SignLine k325Lines[] = {
    {kTovia, "「先生の机を勝手にさわると叱られるの」"},
    {kInsect, "「何が入っているんだろうね」"},
    {kTovia, "「この前こっそり覗いたけど、いやらしい本とかは一切無かった」"},
};
// her own desk
constexpr SignLine k329Lines[] = {
    {kTovia, "「最近、初級魔法士の資格の勉強をしているけどなかなか捗らなくて・・・」"},
    {kInsect, "「お、頑張ってるね・・なにが得意なの？」"},
    {kTovia, "「図工が得意で国語が嫌い」"},
    {kInsect, "「試験科目の話をしてるんじゃい。」"},
};
// her chest of drawers
constexpr SignLine k330Lines[] = {
    {kTovia, "「服の入ったタンス、あんまり空けたくない」"},
};
// the locked door in the teacher's hall
constexpr SignLine k331Lines[] = {
    {kTovia, "「トヴィお姉の部屋。鍵がかかってて入れない。」"},
    {kInsect, "「誰？姉弟子？」"},
    {kTovia, "「そう。クラウス先生も詳しくは話してくれない。」"},
};
// the house on the main street that lets in only those with a ticket
constexpr SignLine k337Lines[] = {
    {kTovia, "「チケットが無いのでは入れない」"},
};
// the neighbours' empty house
constexpr SignLine k352Lines[] = {
    {kTovia, "「お隣さんの家・・・最近ずっと留守みたい。誰もいないのかな・・・」"},
};
// the inn lobby's attendant, under the age notice
constexpr SignLine k338Lines[] = {
    {kAttendant, "「２０歳未満は入場禁止です」"},
};

// The inn lobby's two tiles under the age notice share the attendant's line.
constexpr SignRow kSignRows[] = {
    {284, k284Lines}, {302, k302Lines}, {310, k310Lines}, {324, k324Lines}, {325, k325Lines}, {329, k329Lines},
    {330, k330Lines}, {331, k331Lines}, {337, k337Lines}, {338, k338Lines}, {339, k338Lines}, {352, k352Lines},
};

}  // namespace

extern const std::span<const SignRow> kSigns = kSignRows;

// Line k opens on step 2k and is waited for on step 2k + 1; the step after the last line ends
// the event. She is held throughout. A step outside the lines (only a foreign save holds one)
// ends it too, rather than read outside the table.
void RunSign(const SignRow& sign) {
  int32_t& step = EventStep[2];
  HeroControl = 1;
  const int32_t lines = static_cast<int32_t>(sign.lines.size());
  if (step < 0 || step >= 2 * lines) {
    EndEvent(2);
  } else if (step % 2 == 0) {
    const SignLine& line = sign.lines[static_cast<size_t>(step / 2)];
    BeginEvent();
    SayLine(line.speaker, line.text, 1, &step, 1);
  } else {
    WaitLine(&step, 1);
  }
}
