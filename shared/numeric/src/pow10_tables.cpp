#include "numeric/pow10_tables.h"

// Each entry is the bit pattern of the extended value nearest to the exact
// power, so that no compiler's reading of a decimal literal is involved; a
// test checks every entry against the exact power.
namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace pow10 {

constinit const Extended kSmall[32] = {
    Extended::FromBits(0x3FFF, 0x8000000000000000ull),  // 1e0
    Extended::FromBits(0x4002, 0xA000000000000000ull),  // 1e1
    Extended::FromBits(0x4005, 0xC800000000000000ull),  // 1e2
    Extended::FromBits(0x4008, 0xFA00000000000000ull),  // 1e3
    Extended::FromBits(0x400C, 0x9C40000000000000ull),  // 1e4
    Extended::FromBits(0x400F, 0xC350000000000000ull),  // 1e5
    Extended::FromBits(0x4012, 0xF424000000000000ull),  // 1e6
    Extended::FromBits(0x4016, 0x9896800000000000ull),  // 1e7
    Extended::FromBits(0x4019, 0xBEBC200000000000ull),  // 1e8
    Extended::FromBits(0x401C, 0xEE6B280000000000ull),  // 1e9
    Extended::FromBits(0x4020, 0x9502F90000000000ull),  // 1e10
    Extended::FromBits(0x4023, 0xBA43B74000000000ull),  // 1e11
    Extended::FromBits(0x4026, 0xE8D4A51000000000ull),  // 1e12
    Extended::FromBits(0x402A, 0x9184E72A00000000ull),  // 1e13
    Extended::FromBits(0x402D, 0xB5E620F480000000ull),  // 1e14
    Extended::FromBits(0x4030, 0xE35FA931A0000000ull),  // 1e15
    Extended::FromBits(0x4034, 0x8E1BC9BF04000000ull),  // 1e16
    Extended::FromBits(0x4037, 0xB1A2BC2EC5000000ull),  // 1e17
    Extended::FromBits(0x403A, 0xDE0B6B3A76400000ull),  // 1e18
    Extended::FromBits(0x403E, 0x8AC7230489E80000ull),  // 1e19
    Extended::FromBits(0x4041, 0xAD78EBC5AC620000ull),  // 1e20
    Extended::FromBits(0x4044, 0xD8D726B7177A8000ull),  // 1e21
    Extended::FromBits(0x4048, 0x878678326EAC9000ull),  // 1e22
    Extended::FromBits(0x404B, 0xA968163F0A57B400ull),  // 1e23
    Extended::FromBits(0x404E, 0xD3C21BCECCEDA100ull),  // 1e24
    Extended::FromBits(0x4052, 0x84595161401484A0ull),  // 1e25
    Extended::FromBits(0x4055, 0xA56FA5B99019A5C8ull),  // 1e26
    Extended::FromBits(0x4058, 0xCECB8F27F4200F3Aull),  // 1e27
    Extended::FromBits(0x405C, 0x813F3978F8940984ull),  // 1e28
    Extended::FromBits(0x405F, 0xA18F07D736B90BE5ull),  // 1e29
    Extended::FromBits(0x4062, 0xC9F2C9CD04674EDFull),  // 1e30
    Extended::FromBits(0x4065, 0xFC6F7C4045812296ull),  // 1e31
};

constinit const Extended kMedium[16] = {
    Extended::FromBits(0x3FFF, 0x8000000000000000ull),  // 1e0
    Extended::FromBits(0x4069, 0x9DC5ADA82B70B59Eull),  // 1e32
    Extended::FromBits(0x40D3, 0xC2781F49FFCFA6D5ull),  // 1e64
    Extended::FromBits(0x413D, 0xEFB3AB16C59B14A3ull),  // 1e96
    Extended::FromBits(0x41A8, 0x93BA47C980E98CE0ull),  // 1e128
    Extended::FromBits(0x4212, 0xB616A12B7FE617AAull),  // 1e160
    Extended::FromBits(0x427C, 0xE070F78D3927556Bull),  // 1e192
    Extended::FromBits(0x42E7, 0x8A5296FFE33CC930ull),  // 1e224
    Extended::FromBits(0x4351, 0xAA7EEBFB9DF9DE8Eull),  // 1e256
    Extended::FromBits(0x43BB, 0xD226FC195C6A2F8Cull),  // 1e288
    Extended::FromBits(0x4426, 0x81842F29F2CCE376ull),  // 1e320
    Extended::FromBits(0x4490, 0x9FA42700DB900AD2ull),  // 1e352
    Extended::FromBits(0x44FA, 0xC4C5E310AEF8AA17ull),  // 1e384
    Extended::FromBits(0x4564, 0xF28A9C07E9B09C59ull),  // 1e416
    Extended::FromBits(0x45CF, 0x957A4AE1EBF7F3D4ull),  // 1e448
    Extended::FromBits(0x4639, 0xB83ED8DC0795A262ull),  // 1e480
};

constinit const Extended kLarge[10] = {
    Extended::FromBits(0x3FFF, 0x8000000000000000ull),  // 1e0
    Extended::FromBits(0x46A3, 0xE319A0AEA60E91C7ull),  // 1e512
    Extended::FromBits(0x4D48, 0xC976758681750C17ull),  // 1e1024
    Extended::FromBits(0x53ED, 0xB2B8353B3993A7E4ull),  // 1e1536
    Extended::FromBits(0x5A92, 0x9E8B3B5DC53D5DE5ull),  // 1e2048
    Extended::FromBits(0x6137, 0x8CA554C020A1F0A6ull),  // 1e2560
    Extended::FromBits(0x67DB, 0xF9895D25D88B5A8Bull),  // 1e3072
    Extended::FromBits(0x6E80, 0xDD5DC8A2BF27F3F8ull),  // 1e3584
    Extended::FromBits(0x7525, 0xC46052028A20979Bull),  // 1e4096
    Extended::FromBits(0x7BCA, 0xAE3511626ED559F0ull),  // 1e4608
};

}  // namespace pow10
}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
