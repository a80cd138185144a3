; Tavrel receiver: the PIC16F877A end of Tavrel's send stream.
;
; It reads the stream as Tavrel sends it: the transfer header up to "*"
; (display type, block size in characters, EEPROM start address, "0" and
; the delay in ms, all hex), then after each wait character one block of
; hex digits, two a byte. A block is kept in RAM while it arrives and
; written when it is complete (or when the line falls quiet inside it),
; then the header's delay is waited: the sender's pause before the next
; wait character must cover both. "*22000000a" answers the first 16 EEPROM
; bytes and draws the stored picture.
;
; The acknowledged send: "!" right before the header asks for answers.
; Ready (ASCII ACK) once the header is read, and after each block is
; written and the delay waited; Refused (ASCII NAK) for a header that does
; not parse, and for a block with a fault or cut short, which is then read
; again from where it began. Without "!" nothing is answered.
;
; Display types: 3 KS0108 128x64, 4 KS0108 128x32, 0 T6963C 240x64;
; 1 is the 24LC256 EEPROM. Assemble: gpasm tavrel-receiver.asm
; (-D BAUD=9600 for another line speed).

        list    p=16f877a, r=dec
        #include <p16f877a.inc>
        errorlevel -302         ; banks are switched by hand
        ; HS crystal 20 MHz, no watchdog, power-up timer, brown-out reset,
        ; no low-voltage programming (RB3 drives the LCD), no protection
        __config _HS_OSC & _WDT_OFF & _PWRTE_ON & _BODEN_ON & _LVP_OFF & _CPD_OFF & _WRT_OFF & _DEBUG_OFF & _CP_OFF

#ifndef BAUD
#define BAUD 19200
#endif
FOSC            equ 20000000
SPBRG_VALUE     equ (FOSC + 8 * BAUD) / (16 * BAUD) - 1  ; BRGH = 1
; Timer 1 counts 625 kHz; it restarts with every character received.
QUIET_TICKS     equ 10      ; overflows of 105 ms: a quiet second ends a stream
FLUSH_TICKS_H   equ (30 * 625000 / BAUD + 255) / 256  ; three characters' time
BLOCK_MAX       equ 192     ; characters a block may hold (96 bytes of RAM)
ASK_CHAR        equ '!'     ; asks for the acknowledged send
ANS_READY       equ 0x06
ANS_REFUSED     equ 0x15

#include "pins.inc"

KIND_KS64       equ 0
KIND_KS32       equ 1
KIND_T6         equ 2

ST_IDLE         equ 0       ; reading a header or a command
ST_COMMAND      equ 1       ; after a "*" with no digits before it
ST_AWAIT        equ 2       ; waiting for a wait character
ST_BLOCK        equ 3       ; reading a block's digits
ST_SKIP         equ 4       ; after a fault, up to the next wait character

; flags
F_SEEK          equ 0       ; the next byte written sets its address first
F_EEPROM        equ 1       ; the stream goes to the EEPROM
F_JUNK          equ 2       ; stray data reported since the last header
F_EE_OPEN       equ 3       ; an EEPROM page write is open
F_EE_OVER       equ 4       ; an address beyond the EEPROM was reported
F_FRESH         equ 5       ; the next character starts a new stream
F_ACK           equ 6       ; the stream is answered
F_BAD           equ 7       ; a fault since the block began

        cblock  0x20
        flags, state, ch, hexv, tmp, cnt
        ndig, digits:12, hstart, cmdpos
        hdr_type, hdr_block, hdr_addr_h, hdr_addr_l, hdr_delay_h, hdr_delay_l
        wait_char, blk_chars, blk_len
        data_h, data_l          ; digits taken in the stream
        byte_h, byte_l          ; bytes completed in the stream
        first_h, first_l        ; stream index of the first byte in RAM
        buf_count, high_nibble
        kind, last_kind, lcd_bytes_h, lcd_bytes_l, chars_h, chars_l
        draw_addr_h, draw_addr_l
        idx_h, idx_l, lcd_val, lcd_arg, lcd_wait, ee_h, ee_l
        quiet, faults
        asked                   ; 1 after "!": the next header is answered
        blk_data_h, blk_data_l, blk_byte_h, blk_byte_l, blk_nibble  ; at the block's start
        dly_a, dly_b, dly_msh, dly_msl, tx_tmp, tx_dig, msg_h, msg_l
        endc
; The block in RAM: values at 0x110 + i (bank 2), and at 0x190 + i
; (bank 3) whether byte i was two hex digits. With IRP set, FSR 0x10 + i
; and 0x90 + i.
BUF_FSR         equ 0x10

        org     0
        goto    start

start:
        bcf     STATUS, RP1
        bsf     STATUS, RP0     ; bank 1
        movlw   0x06
        movwf   ADCON1          ; port A digital
        clrf    TRISA
        clrf    TRISB
        clrf    TRISD
        clrf    TRISE           ; also port D as plain port
        movlw   b'10011000'     ; RC7 RX, RC4 SDA, RC3 SCL in; the rest out
        movwf   TRISC
        movlw   SPBRG_VALUE
        movwf   SPBRG
        movlw   b'00100100'     ; TXEN, BRGH
        movwf   TXSTA
        movlw   12              ; I2C 5 MHz / (12 + 1) / 4: 385 kHz
        movwf   SSPADD
        clrf    SSPSTAT
        bcf     STATUS, RP0     ; bank 0
        movlw   b'00101000'     ; MSSP on, I2C master
        movwf   SSPCON
        movlw   b'10010000'     ; serial port on, receiving
        movwf   RCSTA
        movlw   b'00110001'     ; timer 1 on, 1:8
        movwf   T1CON
        clrf    PORTA
        movlw   1 << LCD_RST
        movwf   PORTB
        movlw   (1 << T6_WR) | (1 << T6_CE)
        movwf   PORTE
        clrf    flags
        bsf     STATUS, IRP     ; FSR reaches the block in banks 2 and 3
        movlw   20              ; the LCD's own power-up
        call    delay_ms
        call    lcd_init
        movlw   KIND_KS64
        movwf   last_kind
        clrf    draw_addr_h
        clrf    draw_addr_l
        call    end_stream
        movlw   high msg_ready
        movwf   msg_h
        movlw   low msg_ready
        movwf   msg_l
        call    send_text

; Waits for characters; a quiet line inside a block writes what arrived
; (and ends an answered block), a quiet second ends the stream.
main_loop:
        btfsc   PIR1, RCIF
        goto    received
        btfsc   PIR1, TMR1IF
        goto    quiet_tick
        movf    state, w
        xorlw   ST_BLOCK
        btfss   STATUS, Z
        goto    main_loop
        movf    buf_count, w
        btfsc   flags, F_ACK
        iorlw   1               ; an answered block ends by quiet even when empty
        btfsc   STATUS, Z
        goto    main_loop
        movlw   FLUSH_TICKS_H
        subwf   TMR1H, w
        btfss   STATUS, C
        goto    main_loop
        btfsc   flags, F_ACK
        goto    block_quiet
        call    write_busy
        goto    main_loop

quiet_tick:
        bcf     PIR1, TMR1IF
        decfsz  quiet, f
        goto    main_loop
        call    end_stream
        goto    main_loop

received:
        btfss   RCSTA, FERR
        goto    received_ok
        movf    RCREG, w        ; a broken character is dropped
        call    fault
        goto    restart_timer
received_ok:
        movf    RCREG, w
        movwf   ch
        btfss   flags, F_FRESH
        goto    received_take
        bcf     flags, F_FRESH  ; a new stream: its faults start from none
        bcf     PORTA, LED_FAULT
        clrf    faults
received_take:
        call    take
        btfss   RCSTA, OERR
        goto    restart_timer
        bcf     RCSTA, CREN     ; characters were lost while busy
        bsf     RCSTA, CREN
        call    fault
restart_timer:
        clrf    TMR1H
        clrf    TMR1L
        bcf     PIR1, TMR1IF
        movlw   QUIET_TICKS
        movwf   quiet
        goto    main_loop

; One character of the stream, by state.
take:
        movf    state, w
        xorlw   ST_IDLE
        btfsc   STATUS, Z
        goto    take_idle
        xorlw   ST_IDLE ^ ST_COMMAND
        btfsc   STATUS, Z
        goto    take_command
        xorlw   ST_COMMAND ^ ST_AWAIT
        btfsc   STATUS, Z
        goto    take_await
        xorlw   ST_AWAIT ^ ST_BLOCK
        btfsc   STATUS, Z
        goto    take_block
        goto    take_skip

#include "header.inc"
#include "block.inc"
#include "lcd.inc"
#include "eeprom.inc"
#include "util.inc"

; A fault: the lamp lights until the next header; an answered block with
; one is refused.
fault:
        bsf     PORTA, LED_FAULT
        bsf     flags, F_BAD
        incfsz  faults, w
        movwf   faults
        return

; Texts (each within one 256-word page, ended by 0).
        org     0x700
msg_ready:
        dt      "Tavrel receiver ready", 13, 10, 0
msg_eeprom:
        dt      "EEPROM 0000:", 0

        end
