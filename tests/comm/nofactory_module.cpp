// A module in the place of a link component that exports no factory.
extern "C" __attribute__((visibility("default"))) int NotAFactory() {
    return 0;
}
