// The clinic's reception, event 317 on EventStep[2]: the receptionist asks for the health-insurance
// card and names the fee, 30 yen with it and 500 without; paid, she goes into the consultation
// room, where she comes back out of the fade with HP and MP full.
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "events/event_script.h"
#include "events/field_trades.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr const char* kReception = "受付";
constexpr uint32_t kInsuranceCard = 128;
constexpr int32_t kLastStep = 107;  // values above it do nothing

// The fee with the card and without: its line, the menu's header and the amount.
struct Fee {
  const char* line;
  const char* header;
  int32_t amount;
};
constexpr Fee kInsured = {"拝見します・・・・・・ケンプファー様の扶養家族様ですね。第一種医療保険を適応し、医療費負担額はは【３０】円となります。",
                          "【治療費　３０円】", 30};
constexpr Fee kUninsured = {"保険証は無しですね。一般での医療費は【５００円】です。", "【治療費　５００円】", 500};

// The steps of each fee: its line, the menu, the answer.
constexpr int32_t kInsuredSteps = 10;
constexpr int32_t kUninsuredSteps = 50;

// The steps of the way out: too little money, cancelled, treated (then the fade into the
// consultation room, steps 102..106, and the end at 107).
constexpr int32_t kTooLittleMoney = 20;
constexpr int32_t kCancelled = 30;
constexpr int32_t kTreated = 100;
constexpr int32_t kIntoTheRoom = 102;
constexpr int32_t kEnd = 107;

void OpenFeeMenu(const Fee& fee) {
  const char lines[2][49] = {"キャンセル", "治療を受る"};
  CloseMessage();
  OpenMessage(15, 2, 0, fee.header, nullptr, lines, 1);
}

// Steps first..first + 2 of a fee: its line; the menu once the line is closed; the answer, which
// pays and goes on to the treatment, or finds too little money, or cancels. Nothing is charged
// but the fee.
void RunFee(int32_t& step, int32_t first, const Fee& fee) {
  const int32_t at = step - first;
  if (at == 0) {
    SayLine(kReception, fee.line, 1, &step, 1);
  } else if (at == 1) {
    if (MessageResult == -2) {
      OpenFeeMenu(fee);
      step += 1;
    }
  } else if (MessageResult == -2 || MessageResult == 0) {
    step = kCancelled;
  } else if (MessageResult == 1) {
    if (PlayerStats.Money < fee.amount) {
      step = kTooLittleMoney;
    } else {
      SpendMoney(fee.amount);
      step = kTreated;
    }
  }
}

}  // namespace

void FieldEvent317() {
  int32_t& step = EventStep[2];
  if (step > kLastStep) return;
  switch (step) {
    case 0:
      BeginEvent();
      SayLine(kReception, "健康保険証を拝見します。", 1, &step, 2);
      break;
    case 2:
    case kTooLittleMoney + 1:
    case kCancelled + 1:
    case kTreated + 1:
      WaitLine(&step, 1);
      break;
    case 3:
      step = HasSpecialItem(kInsuranceCard) == 1 ? kInsuredSteps : kUninsuredSteps;
      break;
    case kInsuredSteps:
    case kInsuredSteps + 1:
    case kInsuredSteps + 2:
      RunFee(step, kInsuredSteps, kInsured);
      break;
    case kUninsuredSteps:
    case kUninsuredSteps + 1:
    case kUninsuredSteps + 2:
      RunFee(step, kUninsuredSteps, kUninsured);
      break;
    case kTooLittleMoney:
      SayLine(kReception, "所持金が不足しています。", 1, &step, 1);
      break;
    case kCancelled:
      SayLine(kReception, "キャンセルしました。", 1, &step, 1);
      break;
    case kTooLittleMoney + 2:
    case kCancelled + 2:
    case kEnd:
      EndEvent(2);
      break;
    case kTreated:
      SayLine(kReception, "診療室にお入りください。", 1, &step, 1);
      break;
    default:
      if (step >= kIntoTheRoom && step < kEnd) FadeWarpHere(2, kIntoTheRoom, 136, 296, 1);
      break;
  }
}
