; A DOS .COM program that stands in for the game where the tests look inside the emulator: it
; writes PROBE.TXT into its current folder with two lines, "MEM n" with the free extended memory
; (XMS) in KB, and "CD text" with the first bytes of D:\MARKER.TXT, the marker file on the
; tests' CD image ("CD NONE" when DOS cannot open it).
        org 0x100
        mov ah, 0x3C                  ; create PROBE.TXT
        xor cx, cx
        mov dx, outname
        int 0x21
        jc fail
        mov [outfile], ax
        xor dx, dx                    ; no XMS driver: 0 KB
        mov ax, 0x4300                ; is an XMS driver there?
        int 0x2F
        cmp al, 0x80
        jne number
        mov ax, 0x4310                ; its entry point
        int 0x2F
        mov [xms], bx
        mov [xms+2], es
        mov ah, 0x08                  ; free memory: DX = total free KB
        call far [xms]
number: mov ax, dx                    ; AX in decimal, written backwards before digitsEnd
        mov di, digitsEnd
        mov bx, 10
digit:  xor dx, dx
        div bx
        add dl, '0'
        dec di
        mov [di], dl
        test ax, ax
        jnz digit
        mov dx, memTag
        mov cx, 4
        call write
        mov dx, di
        mov cx, digitsEnd
        sub cx, di
        call write
        mov dx, cdTag
        mov cx, 5
        call write
        mov ax, 0x3D00                ; open D:\MARKER.TXT
        mov dx, marker
        int 0x21
        jc nocd
        mov bx, ax
        mov ah, 0x3F                  ; read up to 64 bytes of it
        mov cx, 64
        mov dx, buf
        int 0x21
        jc nocd
        mov cx, ax
        mov dx, buf
        call write
        jmp done
nocd:   mov dx, noneTag
        mov cx, 4
        call write
done:   mov ah, 0x3E
        mov bx, [outfile]
        int 0x21
        mov ax, 0x4C00
        int 0x21
fail:   mov ax, 0x4C01
        int 0x21

write:  mov ah, 0x40                  ; CX bytes from DS:DX into PROBE.TXT
        mov bx, [outfile]
        int 0x21
        ret

outname:   db "PROBE.TXT", 0
marker:    db "D:\MARKER.TXT", 0
memTag:    db "MEM "
cdTag:     db 13, 10, "CD "
noneTag:   db "NONE"
outfile:   dw 0
xms:       dd 0
digits:    times 6 db 0
digitsEnd:
buf        equ $
