#include "dictionary/formula.h"

#include <charconv>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "platform/msgbox.h"

namespace {

const char kIdentity[] = "N*1";
const char kStackError[] = "Formula stack is Err!!!!!\n";
const char kSqrtError[] = "sqrt function express error!! \n";
const char kNoConst[] = "Not exist the const value!! \n";
const char kNodeMemory[] = "[Add Formula Node]No Free Memory!!\n";
const char kConstMemory[] = "[Add Const Var]No Free Memory!!\n";

struct Token {
    bool isOperator = false;
    char op = 0;
    double value = 0.0;
};

enum class ParseResult { Complete, Missing, Malformed };

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

int HexDigit(QChar c) {
    if (IsDigit(c))
        return c.unicode() - '0';
    if (c >= 'a' && c <= 'f')
        return c.unicode() - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

// Left to right: "*" and "/" in turn; one "+" or "-" ends the computation.
double Compute(const std::vector<Token>& tokens, bool& sound) {
    bool alternating = tokens.size() % 2 == 1;
    for (std::size_t i = 0; alternating && i < tokens.size(); ++i)
        alternating = tokens[i].isOperator == (i % 2 == 1);
    if (!alternating) {
        platform::MessageBox(kStackError);
        sound = false;
        return 0.0;
    }
    double result = tokens[0].value;
    for (std::size_t i = 1; i + 1 < tokens.size(); i += 2) {
        const double operand = tokens[i + 1].value;
        switch (tokens[i].op) {
            case '*':
                result *= operand;
                break;
            case '/':
                result /= operand;
                break;
            case '+':
                return result + operand;
            default:
                return result - operand;
        }
    }
    return result;
}

// One pass over a formula, appending tokens; it stops at the first reference to an object
// whose value is not known (MissingKey).
class Parser {
public:
    Parser(const CFormula& evaluator, const QString& formula, double n, std::vector<Token>& tokens)
        : evaluator_(evaluator), f_(formula), n_(n), tokens_(tokens) {}

    ParseResult Run() {
        for (int i = 0; i < f_.size(); ++i) {
            const QChar c = f_[i];
            if (c == '*' || c == '+' || c == '-' || c == '/') {
                Append({true, static_cast<char>(c.unicode()), 0.0});
            } else if (IsDigit(c)) {
                i = Number(i);
            } else if (c == 'N' || c == 'n') {
                Append({false, 0, n_});
            } else if (c == 's' || c == 'S') {
                if (!SquareRoot(i))
                    return ParseResult::Malformed;
            } else if (c == '[' && Reference(i)) {
                if (missing_)
                    return ParseResult::Missing;
            } else {
                platform::MessageBox(QStringLiteral("Formula =>ASC: %1").arg(c.unicode()));
                break;  // the tokens so far are computed
            }
        }
        return ParseResult::Complete;
    }

    // False after a square root without an operator next to "N" (its operand was made 0).
    bool Sound() const { return !sqrtFailed_; }
    std::int32_t MissingKey() const { return missingKey_; }

private:
    void Append(const Token& token) {
        try {
            tokens_.push_back(token);
        } catch (const std::bad_alloc&) {
            platform::MessageBox(kNodeMemory);
        }
    }

    // A run of digits and "."; returns the position of its last character.
    int Number(int start) {
        int end = start;
        while (end < f_.size() && (IsDigit(f_[end]) || f_[end] == '.')) ++end;
        const QByteArray run = f_.mid(start, end - start).toLatin1();
        double value = 0.0;
        std::from_chars(run.constData(), run.constData() + run.size(), value);
        Append({false, 0, value});
        return end - 1;
    }

    // "[" + 8 hexadecimal digits + "]"; false when the text does not have that form.
    bool Reference(int& i) {
        if (i + 9 >= f_.size() || f_[i + 9] != ']')
            return false;
        std::uint32_t digits = 0;
        for (int k = i + 1; k <= i + 8; ++k) {
            const int d = HexDigit(f_[k]);
            if (d < 0)
                return false;
            digits = digits * 16 + static_cast<std::uint32_t>(d);
        }
        const std::int32_t key = CFormula::ReferenceKey(digits);
        if (evaluator_.HasConst(key)) {
            Append({false, 0, static_cast<double>(evaluator_.GetConst(key))});
            i += 9;
            return true;
        }
        tokens_.clear();
        missing_ = true;
        missingKey_ = key;
        return true;
    }

    // sqrt( ... ) at i: the argument's digits form one number d, combined with N by the
    // operator found in the argument. False when there is no ")" after i.
    bool SquareRoot(int& i) {
        const int close = f_.indexOf(')', i);
        if (close < 0) {
            platform::MessageBox(kSqrtError);
            return false;
        }
        const QStringView argument = QStringView(f_).mid(i, close - i);
        double d = 0.0;
        for (QChar c : argument)
            if (IsDigit(c))
                d = d * 10 + (c.unicode() - '0');
        double v = d;
        if (argument.contains('N') || argument.contains('n')) {
            if (argument.contains('*')) {
                v = d * n_;
            } else if (argument.contains('/')) {
                v = n_ / d;
            } else if (argument.contains('+')) {
                v = d + n_;
            } else if (argument.contains('-')) {
                v = n_ - d;
            } else {
                platform::MessageBox(kSqrtError);
                sqrtFailed_ = true;
                v = 0.0;
            }
        }
        Append({false, 0, std::sqrt(v)});
        i = close;
        return true;
    }

    const CFormula& evaluator_;
    const QString& f_;
    const double n_;
    std::vector<Token>& tokens_;
    bool missing_ = false;
    std::int32_t missingKey_ = 0;
    bool sqrtFailed_ = false;
};

}  // namespace

struct CFormula::Impl {
    // A conversion waiting for the value of a referenced object.
    struct Parked {
        platform::WindowHandle owner = 0;
        std::int32_t key = 0;
        std::uint8_t command = 0;
        double value = 0.0;
        QString formula;
        std::int32_t awaited = 0;  // the reference whose read was queued last
        WriteCheck check;
    };

    Impl(RequestFunction r, const std::atomic<platform::WindowHandle>& w)
        : request(std::move(r)), referenceWindow(w) {}

    RequestFunction request;
    const std::atomic<platform::WindowHandle>& referenceWindow;
    platform::WindowHandle owner = 0;
    double n = 0.0;
    bool lastSound = true;
    std::int32_t lastMissing = 0;  // the reference the last failed evaluation asked for
    std::vector<std::pair<std::int32_t, std::int32_t>> constants;  // in order of arrival
    std::vector<Parked> parked;                                    // in order of parking

    const std::pair<std::int32_t, std::int32_t>* Find(std::int32_t key) const {
        for (const auto& c : constants)
            if (c.first == key)
                return &c;
        return nullptr;
    }

    void Request(platform::WindowHandle who, std::uint8_t command, std::int32_t key,
                 std::int32_t value) {
        if (request)
            request(who, command, key, value);
    }
};

CFormula::CFormula(RequestFunction request,
                   const std::atomic<platform::WindowHandle>& referenceWindow)
    : impl_(std::make_unique<Impl>(std::move(request), referenceWindow)) {}
CFormula::~CFormula() = default;

void CFormula::AddConst(std::int32_t key, std::int32_t value) {
    try {
        impl_->constants.emplace_back(key, value);
    } catch (const std::bad_alloc&) {
        platform::MessageBox(kConstMemory);
    }
}

bool CFormula::HasConst(std::int32_t key) const {
    return impl_->Find(key) != nullptr;
}

std::int32_t CFormula::GetConst(std::int32_t key) const {
    if (const auto* c = impl_->Find(key))
        return c->second;
    platform::MessageBox(kNoConst);
    return 1;
}

void CFormula::SetConst(std::int32_t key, std::int32_t value) {
    if (auto* c = const_cast<std::pair<std::int32_t, std::int32_t>*>(impl_->Find(key)))
        c->second = value;
}

void CFormula::ClearConsts() {
    impl_->constants.clear();
}

int CFormula::Evaluate(platform::WindowHandle owner, const QString& formula, double n,
                       double& result) {
    impl_->owner = owner;
    impl_->n = n;
    if (formula == QLatin1String(kIdentity)) {
        impl_->lastSound = true;
        result = n;
        return 1;
    }
    // Tokens are local: a message box may run a nested event loop that evaluates again.
    std::vector<Token> tokens;
    tokens.reserve(8);
    Parser parser(*this, formula, n, tokens);
    const ParseResult parsed = parser.Run();
    if (parsed == ParseResult::Missing) {
        impl_->lastMissing = parser.MissingKey();
        impl_->Request(impl_->referenceWindow.load(), sdo::Read, parser.MissingKey(), 0);
        return 0;
    }
    bool sound = parsed == ParseResult::Complete;
    result = sound ? Compute(tokens, sound) : 0.0;
    sound = sound && parser.Sound();
    impl_->lastSound = sound;
    return 1;
}

int CFormula::EvaluateToInt(platform::WindowHandle owner, const QString& formula, double n,
                            std::int32_t& result) {
    double value = 0.0;
    if (!Evaluate(owner, formula, n, value))
        return 0;
    result = numberscan::TruncateToInt32(value);
    return 1;
}

bool CFormula::LastEvaluationSound() const {
    return impl_->lastSound;
}

void CFormula::SetPending(std::int32_t key, std::uint8_t command, double value,
                          const QString& formula, WriteCheck check) {
    // The owner is the owner of the evaluation that just failed.
    Impl::Parked entry{impl_->owner,    key, command, value, formula, impl_->lastMissing,
                       std::move(check)};
    for (Impl::Parked& p : impl_->parked) {
        if (p.owner == entry.owner && p.key == key) {
            p = std::move(entry);
            return;
        }
    }
    impl_->parked.push_back(std::move(entry));
}

bool CFormula::HasPending() const {
    return !impl_->parked.empty();
}

void CFormula::RetryPending() {
    // Taken out first: a retry may park again, and a message box may evaluate meanwhile.
    std::vector<Impl::Parked> waiting;
    waiting.swap(impl_->parked);
    for (Impl::Parked& p : waiting) {
        double value = 0.0;
        if (!Evaluate(p.owner, p.formula, p.value, value)) {
            p.awaited = impl_->lastMissing;
            impl_->parked.push_back(std::move(p));
            continue;
        }
        // Sent once: a parked write must not be repeated later with a stale value.
        std::uint8_t command = p.command;
        const bool usable = LastEvaluationSound() && std::isfinite(value);
        if (command != sdo::Read && (!usable || (p.check && !p.check(value))))
            command = sdo::Read;  // show the drive's value
        const std::int32_t data = command == sdo::Read ? 0 : numberscan::TruncateToInt32(value);
        impl_->Request(p.owner, command, p.key, data);
    }
}

void CFormula::ReferenceReply(unsigned msg, std::int32_t value, std::int32_t key) {
    if (msg == platform::WM_LINK_VALUE) {
        if (HasConst(key))
            return;  // stored once; later values arrive through SetConst
        AddConst(key, value);
        RetryPending();
        return;
    }
    if (msg != platform::WM_LINK_ABORT)
        return;
    std::vector<Impl::Parked> ended;
    std::vector<Impl::Parked> kept;
    for (Impl::Parked& p : impl_->parked) (p.awaited == key ? ended : kept).push_back(std::move(p));
    impl_->parked.swap(kept);
    // A conversion that cannot finish must not leave its page waiting for it.
    for (const Impl::Parked& p : ended)
        platform::SendMessage(p.owner, platform::WM_LINK_ABORT, static_cast<std::uint32_t>(value),
                              p.key);
}
